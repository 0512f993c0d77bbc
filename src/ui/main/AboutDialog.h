#pragma once
// "ﾊﾞｰｼﾞｮﾝ情報": the program's title and version.
#include <QDialog>

namespace tovra {

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace tovra
