#pragma once
// TInsatsuDialog "印刷": names what will be printed and the current printer, and asks.
#include <QDialog>

namespace tovra {

class TInsatsuDialog : public QDialog {
  Q_OBJECT
 public:
  // text: the kind's confirmation; printer: the default printer's name.
  TInsatsuDialog(const QString& text, const QString& printer, QWidget* parent = nullptr);

 public slots:
  void InsatsuBtnClick();
  void CancelBtnClick();
};

}  // namespace tovra
