#include "ui/entry/MeetingRegisterDialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "storage/records.hpp"
#include "ui/entry/MeetingDateBoxes.h"

namespace tovra {

MeetingRegisterDialog::MeetingRegisterDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("KaisaiTourokuDialog");
  setWindowTitle("開催ﾃﾞｰﾀ登録");

  // The courses in two columns, 札幌..東京 on the left.
  auto* radio = new QGroupBox("競馬場", this);
  radio->setObjectName("RadioGroup");
  auto* grid = new QGridLayout(radio);
  grid->setHorizontalSpacing(18);
  radioGroup_ = new QButtonGroup(this);
  for (int c = 0; c < kCourseCount; ++c) {
    auto* b = new QRadioButton(QString::fromUtf8(keibajo(c).name), radio);
    radioGroup_->addButton(b, c);
    grid->addWidget(b, c % 5, c / 5);
  }
  radioGroup_->button(0)->setChecked(true);

  boxes_ = new MeetingDateBoxes(this);

  auto* touroku = new QPushButton("登録", this);
  touroku->setObjectName("TourokuBtn");
  auto* ikkatsu = new QPushButton("一括登録", this);
  ikkatsu->setObjectName("IkkatsuBtn");
  auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
  cancel->setObjectName("CancelBtn");
  for (QPushButton* b : {touroku, ikkatsu, cancel}) b->setAutoDefault(false);
  connect(touroku, &QPushButton::clicked, this, &MeetingRegisterDialog::registerOneDay);
  connect(ikkatsu, &QPushButton::clicked, this, &MeetingRegisterDialog::registerSeries);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* label2 = new QLabel("同じ回次中に変則日程、閏年の 2月末が含まれる場合は、一括登録は出来ません。", this);
  label2->setObjectName("Label2");
  label2->setWordWrap(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {touroku, ikkatsu, cancel}) buttons->addWidget(b);

  auto* right = new QVBoxLayout;
  right->addWidget(boxes_);
  right->addWidget(label2);
  right->addStretch();
  right->addLayout(buttons);

  auto* top = new QHBoxLayout(this);
  top->setContentsMargins(14, 12, 14, 12);
  top->setSpacing(14);
  top->addWidget(radio);
  top->addLayout(right, 1);
  label2->setMinimumWidth(boxes_->sizeHint().width());
  setFixedSize(sizeHint());
}

int MeetingRegisterDialog::course() const { return radioGroup_->checkedId(); }
MeetingDate MeetingRegisterDialog::date() const { return boxes_->date(); }

void MeetingRegisterDialog::registerOneDay() { done(Single); }
void MeetingRegisterDialog::registerSeries() { done(Series); }

}  // namespace tovra
