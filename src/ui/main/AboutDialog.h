#pragma once
// "ﾊﾞｰｼﾞｮﾝ情報": the program's title and version.
#include <QDialog>

namespace tovra {

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget* parent = nullptr);
};

}  // namespace tovra
