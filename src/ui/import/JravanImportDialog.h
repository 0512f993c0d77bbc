#pragma once
// TJravanYomikomiDialog "JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み": the kind (出馬表 / 成績), the layout
// (新仕様), and a file name or the automatic search of the kind's folder. It only
// collects the choice: exec() gives Yomikomi, Zidou or Rejected.
#include <QDialog>

#include "ui/import/ImportWidgets.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace tovra {

class RadioGroupBox;
struct ImportFolders;

class TJravanYomikomiDialog : public QDialog {
  Q_OBJECT
 public:
  enum Result { Yomikomi = 2, Zidou = 3 };
  // On the day labelled `day`, with the folders of the settings; relative files and
  // folders are below the working folder `root`.
  TJravanYomikomiDialog(const ImportFolders& folders, const QString& day, std::filesystem::path root,
                        QWidget* parent = nullptr);

  int kind() const;    // 0 出馬表, 1 成績
  bool newer() const;  // 新仕様
  QString fileName() const;

 public slots:
  void RadioGroupClick(int kind);
  void SanshoBtnClick();  // 参照: picks the file with a file chooser
  void YomikomiBtnClick() { done(Yomikomi); }
  void ZidouBtnClick() { done(Zidou); }

 private:
  const ImportFolders& folders_;
  std::filesystem::path root_;
  RadioGroupBox* radioGroup_;
  QCheckBox* checkBox_;
  QLineEdit* fileEdit_;
  QLabel* forudaPanel_;
};

// TJravanYomikomiKekaDialog "JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み終了": the races read; 登録 stores.
class TJravanYomikomiKekaDialog : public ImportKekaDialog {
  Q_OBJECT
 public:
  // `source`: the file read and its date (FilePanel).
  TJravanYomikomiKekaDialog(const QString& day, const QString& racesRead, const QString& source,
                            QWidget* parent = nullptr);
};

}  // namespace tovra
