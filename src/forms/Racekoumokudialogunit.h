#pragma once
// TRaceKoumokuDialog "ﾚｰｽﾃﾞｰﾀ ： ﾚｰｽ項目登録": the items, distance and name of the race
// `raceIndex` of the meeting day in memory. 登録 and 全て削除 settle the race and write
// the day, then close with Accepted (the caller redraws); ｷｬﾝｾﾙ changes nothing.
#include <QDialog>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;

namespace tovra {

class DataStore;
class UserPort;

class RadioGroupBox;

class TRaceKoumokuDialog : public QDialog {
  Q_OBJECT
 public:
  // On race ds.raceIndex of the meeting day shown in `ds`; messages through `port`.
  TRaceKoumokuDialog(DataStore& ds, UserPort& port, QWidget* parent = nullptr);

 public slots:
  void TourokuBtnClick();
  void SakujyoBtnClick();

 private:
  void FormShow();
  void RaceNameEditChange(const QString& text);
  DataStore& ds_;
  UserPort& port_;
  int race_;
  QLabel* dayLabel_;
  QLineEdit* raceNameEdit_;
  QComboBox* kyoriBox_;
  std::array<RadioGroupBox*, 7> groups_{};  // in the order of the items code
};

}  // namespace tovra
