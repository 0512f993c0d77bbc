#pragma once
// TNiftyYomikomiDialog "Nifty掲示板ﾃﾞｰﾀﾌｧｲﾙ読み込み": a file name or the automatic search
// of the NIFTY folder; exec() gives Yomikomi, Zidou or Rejected. TNiftyYomikomiKekaDialog
// shows the races read and the races with errors; 登録 stores.
#include <QDialog>

#include "ui/import/ImportWidgets.h"

class QLabel;
class QLineEdit;

namespace tovra {

struct ImportFolders;

class TNiftyYomikomiDialog : public QDialog {
  Q_OBJECT
 public:
  enum Result { Yomikomi = 2, Zidou = 3 };
  // On the day labelled `day`; relative files below the working folder `root`.
  TNiftyYomikomiDialog(const ImportFolders& folders, const QString& day, std::filesystem::path root,
                       QWidget* parent = nullptr);
  QString fileName() const;

 public slots:
  void YomikomiBtnClick() { done(Yomikomi); }
  void ZidouBtnClick() { done(Zidou); }
  void SanshoBtnClick();  // 参照: picks the file with a file chooser

 private:
  std::filesystem::path root_;
  QLineEdit* fileEdit_;
  QLabel* forudaPanel_ = nullptr;
};

class TNiftyYomikomiKekaDialog : public ImportKekaDialog {
  Q_OBJECT
 public:
  // `source`: the file read and its date (FilePanel).
  TNiftyYomikomiKekaDialog(const QString& day, const QString& racesRead, const QString& errors, const QString& source,
                           QWidget* parent = nullptr);
};

}  // namespace tovra
