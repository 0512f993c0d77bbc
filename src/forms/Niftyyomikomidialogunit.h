#pragma once
// TNiftyYomikomiDialog "Nifty掲示板ﾃﾞｰﾀﾌｧｲﾙ読み込み": a file name or the automatic search
// of the NIFTY folder; exec() gives Yomikomi, Zidou or Rejected. TNiftyYomikomiKekaDialog
// shows the races read and the races with errors; 登録 stores.
#include <QDialog>

#include "forms/ImportWidgets.h"

class QLineEdit;

namespace tovra {

struct ImportFolders;

class TNiftyYomikomiDialog : public QDialog {
  Q_OBJECT
 public:
  enum Result { Yomikomi = 2, Zidou = 3 };
  explicit TNiftyYomikomiDialog(const ImportFolders& folders, QWidget* parent = nullptr);
  QString fileName() const;

 public slots:
  void YomikomiBtnClick() { done(Yomikomi); }
  void ZidouBtnClick() { done(Zidou); }

 private:
  QLineEdit* fileEdit_;
};

class TNiftyYomikomiKekaDialog : public ImportKekaDialog {
  Q_OBJECT
 public:
  TNiftyYomikomiKekaDialog(const QString& racesRead, const QString& errors, QWidget* parent = nullptr);
};

}  // namespace tovra
