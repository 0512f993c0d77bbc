#include "ui/entry/MeetingEditDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "storage/records.hpp"
#include "ui/entry/MeetingDateBoxes.h"

namespace tovra {

MeetingEditDialog::MeetingEditDialog(int course, int tsukiHi, int kaiNichi, QWidget* parent) : QDialog(parent) {
  setObjectName("KaisaiShuseiDialog");
  setWindowTitle("開催ﾃﾞｰﾀ修正");

  auto* label = new QLabel(QString::fromUtf8(keibajo(course).name) + "競馬場", this);
  label->setObjectName("Label");
  QFont f = label->font();
  f.setPointSizeF(f.pointSizeF() * 1.2);
  f.setBold(true);
  label->setFont(f);

  boxes_ = new MeetingDateBoxes(this);
  boxes_->showMeeting(tsukiHi, kaiNichi);

  auto* shusei = new QPushButton("修正", this);
  shusei->setObjectName("ShuseiBtn");
  auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
  cancel->setObjectName("CancelBtn");
  for (QPushButton* b : {shusei, cancel}) b->setAutoDefault(false);
  connect(shusei, &QPushButton::clicked, this, &MeetingEditDialog::acceptEdit);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(shusei);
  buttons->addWidget(cancel);

  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(14, 12, 14, 12);
  top->setSpacing(10);
  top->addWidget(label);
  top->addWidget(boxes_);
  top->addLayout(buttons);
  setFixedSize(sizeHint());
}

MeetingDate MeetingEditDialog::date() const { return boxes_->date(); }

void MeetingEditDialog::acceptEdit() { accept(); }

}  // namespace tovra
