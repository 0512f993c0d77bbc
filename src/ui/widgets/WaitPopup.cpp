#include "ui/widgets/WaitPopup.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

namespace tovra {

WaitPopup::WaitPopup(QWidget* parent, const QString& text, bool progress, const QString& bitmapPath)
    : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint) {
  setObjectName("CHUDIALOG");
  // A captionless window needs its own border to stand out from what lies under it.
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* frame = new QFrame(this);
  frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
  frame->setLineWidth(2);
  outer->addWidget(frame);
  auto* box = new QVBoxLayout(frame);
  box->setContentsMargins(18, 14, 18, 14);
  // The bitmap (the hourglass, a magnifier for searches) beside the text. The text column
  // is 200 pixels wide, so that a wait text padded with full-width blanks
  // (registering, editing and deleting meetings) breaks its lines where its blanks put them.
  auto* row = new QHBoxLayout;
  row->setSpacing(14);
  auto* bitmap = new QLabel(frame);
  bitmap->setObjectName("Bitmap");
  bitmap->setPixmap(QIcon(bitmapPath).pixmap(32, 32));
  row->addWidget(bitmap, 0, Qt::AlignVCenter);
  text_ = new QLabel(text, frame);
  text_->setObjectName("WaitText");
  text_->setAlignment(Qt::AlignCenter);
  text_->setWordWrap(true);
  text_->setFixedWidth(200);
  row->addWidget(text_);
  box->addLayout(row);
  if (progress) {
    bar_ = new QProgressBar(frame);
    bar_->setObjectName("ProgressBar");
    bar_->setRange(0, 10);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setFixedHeight(14);
    box->addWidget(bar_);
  }
  setFixedSize(sizeHint().expandedTo(QSize(260, 0)));
}

void WaitPopup::setStep(int step) {
  if (bar_) bar_->setValue(std::clamp(step, 0, 10));
}

}  // namespace tovra
