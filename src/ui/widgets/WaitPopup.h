#pragma once
// The small modeless popup shown while a long operation runs, with an optional
// progress bar of ten steps (one per racecourse).
#include <QDialog>

class QLabel;
class QProgressBar;

namespace tovra {

class WaitPopup : public QDialog {
  Q_OBJECT
 public:
  // bitmap: the picture beside the text (a resource path; the hourglass by default).
  WaitPopup(QWidget* parent, const QString& text, bool progress, const QString& bitmap = ":/icons/sunadokei.svg");
  void setStep(int step);

 private:
  QLabel* text_;
  QProgressBar* bar_ = nullptr;
};

}  // namespace tovra
