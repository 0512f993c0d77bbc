#pragma once
// TRaceKekaDialog "ﾚｰｽﾃﾞｰﾀ ： ﾚｰｽ結果登録": the winning numbers and payouts of race
// `raceIndex` of the meeting day in memory, on three pages (単勝・複勝, 枠連, ﾜｲﾄﾞ・馬連)
// with the shared keypad. 登録 settles and writes the day and closes with Accepted;
// ｷｬﾝｾﾙ re-reads the day from the files.
#include <QDialog>
#include <memory>

#include "entry/results.hpp"

class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QTabWidget;

namespace tovra {

class DataStore;
class UserPort;

class AmountKeypad;
class RadioGroupBox;
class TanFukuPage;

class TRaceKekaDialog : public QDialog {
  Q_OBJECT
 public:
  // On race ds.raceIndex of the meeting day shown in `ds`; messages through `port`.
  TRaceKekaDialog(DataStore& ds, UserPort& port, QWidget* parent = nullptr);
  ~TRaceKekaDialog() override;

 public slots:
  void TanTsuikaBtnClick();
  void TanSakujyobtnClick();
  void WakuTsuikaBtnClick();
  void WakuSakujyoBtnClick();
  void WideUmaTsuikaBtnClick();
  void WideUmaSakujyoBtnClick();
  void TourokuBtnClick();
  void reject() override;  // ｷｬﾝｾﾙ, Escape and the close box

 private:
  QWidget* buildTanPage();
  QWidget* buildWakuPage();
  QWidget* buildWideUmaPage();
  void FormShow();
  void PageChange(int index);
  void refreshList(BetType t);
  QListWidget* listOf(BetType t) const;
  BetType wideUmaType() const;

  DataStore& ds_;
  UserPort& port_;
  int race_;
  std::unique_ptr<ResultBook> book_;
  QLabel* dayLabel_;
  QTabWidget* page_;
  TanFukuPage* tanPage_;
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
