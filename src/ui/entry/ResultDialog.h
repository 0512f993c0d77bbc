#pragma once
// ResultDialog "ﾚｰｽﾃﾞｰﾀ ： ﾚｰｽ結果登録": the winning numbers and payouts of one race of a
// copy of its meeting day, on three pages (単勝・複勝, 枠連, ﾜｲﾄﾞ・馬連) with the shared
// keypad. 登録 settles the race, writes the day and closes with Accepted (the caller takes
// editedDay()); ｷｬﾝｾﾙ drops the copy.
#include <QDialog>
#include <memory>

#include "features/entry/results.hpp"
#include "storage/ledger.hpp"

class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QTabWidget;

namespace tovra {

class AmountKeypad;
class BetStore;
class DataStore;
class UserPort;
class RadioGroupBox;
class WinPlacePage;

class ResultDialog : public QDialog {
  Q_OBJECT
 public:
  // Race `race` (0..11) of `day`, the day held at `key` in the store's ledger.
  ResultDialog(DataStore& store, BetStore& bets, UserPort& port, const DayKey& key, const MeetingDay& day, int race,
               QWidget* parent = nullptr);
  ~ResultDialog() override;
  // The day as 登録 wrote it (the copy as edited so far before that).
  const MeetingDay& editedDay() const { return day_; }

 public slots:
  void addWinPlaceResult();
  void removeWinPlaceResult();
  void addBracketResult();
  void removeBracketResult();
  void addPairResult();
  void removePairResult();
  void registerResults();

 private:
  QWidget* buildTanPage();
  QWidget* buildWakuPage();
  QWidget* buildWideUmaPage();
  void resetPages();
  void pointKeypadAtPage(int index);
  void refreshList(BetType t);
  QListWidget* listOf(BetType t) const;
  BetType wideUmaType() const;
  // Shows the refusal of a change; true when the change was made.

  DataStore& store_;
  BetStore& bets_;  // 馬単, 3連複 and 3連単 of the race
  UserPort& port_;
  DayKey key_;
  MeetingDay day_;
  int race_;
  std::unique_ptr<ResultBook> book_;
  QLabel* dayLabel_;
  QTabWidget* page_;
  WinPlacePage* tanPage_;
  RadioGroupBox* wakuGroup1_;
  RadioGroupBox* wakuGroup2_;
  QListWidget* wakuListBox_;
  QLineEdit* wakuGakuEdit_;
  RadioGroupBox* wideUmaGroup1_;
  RadioGroupBox* wideUmaGroup2_;
  QRadioButton* wideBtn_;
  QRadioButton* umaBtn_;
  QListWidget* wideListBox_;
  QListWidget* umaListBox_;
  QLineEdit* wideUmaGakuEdit_;
  AmountKeypad* keypad_;
};

}  // namespace tovra
