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

class AmountKeypad;
class RadioGroupBox;

class TRaceKekaDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TRaceKekaDialog(QWidget* parent = nullptr);
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
  // The two radio buttons of a page that enable one list and disable the other.
  void chooseList(QListWidget* on, QListWidget* off);
  void refreshList(BetType t);
  QListWidget* listOf(BetType t) const;
  BetType tanType() const;
  BetType wideUmaType() const;

  int race_;
  std::unique_ptr<ResultBook> book_;
  QLabel* dayLabel_;
  QTabWidget* page_;
  RadioGroupBox* tanGroup_;
  QRadioButton* tanBtn_;
  QRadioButton* fukuBtn_;
  QListWidget* tanListBox_;
  QListWidget* fukuListBox_;
  QLineEdit* tanGakuEdit_;
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
