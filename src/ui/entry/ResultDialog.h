#pragma once
// ResultDialog "ﾚｰｽﾃﾞｰﾀ ： ﾚｰｽ結果登録": the winning numbers and payouts of one race of a
// copy of its meeting day, on three pages (単勝・複勝, 枠連, ﾜｲﾄﾞ・馬連) with the shared
// keypad; then the pages of 馬単, 3連複 and 3連単 (winning combinations, more than one after
// a dead heat, and 特払) and the 返還 page (scratched horses, refunded 枠連 frames). 登録
// settles the race, writes the day, then makes the new pages' changes in the bet store and
// closes with Accepted (the caller takes editedDay()); ｷｬﾝｾﾙ drops the copy and changes
// nothing. A winning combination is checked when it is added; a bet store that cannot be
// used refuses every change of the new pages, the old pages work as ever.
#include <QDialog>
#include <array>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "domain/bet_points.hpp"
#include "features/entry/results.hpp"
#include "storage/ledger.hpp"
#include "storage/outcome.hpp"

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
class NewResultPage;
class RadioGroupBox;
class ScratchPage;
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
  void addNewResult(NewBetType t);
  void removeNewResult(NewBetType t);
  void setSpecialPayout(NewBetType t);
  void clearSpecialPayout(NewBetType t);
  void changeScratches();

 protected:
  // The keypad types into the payout or the 特払 field of a new page, whichever has the focus.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The results of a new type as the store holds them, or as the dialog has them so far.
  struct NewResults {
    std::vector<std::pair<Combination, std::int64_t>> winners;  // in the order entered
    std::optional<std::int64_t> special;
    bool operator==(const NewResults&) const = default;
  };
  void readBets();
  // False, with the store's refusal shown, when the bet store cannot be used.
  bool betsUsable();
  // The new pages' changes made in the store; false when one was refused (shown).
  bool writeBets();
  NewResultPage* newPage(NewBetType t) const { return newPages_[std::size_t(t)]; }

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
  std::array<NewResultPage*, 3> newPages_{};
  ScratchPage* scratchPage_ = nullptr;
  std::optional<Refusal> betsRefusal_;
  std::array<NewResults, 3> storedResults_, newResults_;
  std::vector<int> storedHorses_, storedFrames_;
};

}  // namespace tovra
