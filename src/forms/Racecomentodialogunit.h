#pragma once
// TRaceComentoDialog "ﾚｰｽﾃﾞｰﾀ：ｺﾒﾝﾄ登録": the comment of race `raceIndex`. 登録 stores it
// (line breaks as CR LF), settles the race, writes the day and closes with Accepted;
// ｷｬﾝｾﾙ re-reads the day from the files.
#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace tovra {

class DataStore;
class UserPort;

class TRaceComentoDialog : public QDialog {
  Q_OBJECT
 public:
  // On race ds.raceIndex of the meeting day shown in `ds`; messages through `port`.
  TRaceComentoDialog(DataStore& ds, UserPort& port, QWidget* parent = nullptr);

 public slots:
  void TourokuBtnClick();
  void reject() override;

 private:
  void MemoChange();
  DataStore& ds_;
  UserPort& port_;
  int race_;
  QLabel* dayLabel_;
  QPlainTextEdit* memo_;
};

}  // namespace tovra
