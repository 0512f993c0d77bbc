#include "ui/tally/TallyFilterBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "features/tally/tally_common.hpp"
#include "storage/user_port.hpp"

namespace tovra {

TallyFilterBox::TallyFilterBox(QWidget* parent) : QGroupBox("集計対象", parent) {
  setObjectName("TaishoGroup");
  auto* grid = new QGridLayout(this);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(4);
  for (int t = 0; t < tally::kTallyTypeSlots; ++t) {
    auto* b = new QCheckBox(QString::fromStdString(tally::tallyTypeName(t)), this);
    b->setObjectName(QString("ShikiBtn%1").arg(t + 1));
    b->setChecked(true);
    types_[std::size_t(t)] = b;
    grid->addWidget(b, t / 3, t % 3);
  }
  auto* label = new QLabel("競馬場", this);
  label->setObjectName("TaishoJyoLabel");
  course_ = new QComboBox(this);
  course_->setObjectName("JyoFilterBox");
  course_->addItem("全競馬場");
  for (int c = 0; c < kCourseCount; ++c) course_->addItem(QString::fromStdString(tally::courseName(c)));
  label->setBuddy(course_);
  grid->addWidget(label, 3, 0);
  grid->addWidget(course_, 3, 1, 1, 2);
}

tally::TallyFilter TallyFilterBox::filter() const {
  tally::TallyFilter f;
  f.types = 0;
  for (int t = 0; t < tally::kTallyTypeSlots; ++t)
    if (types_[std::size_t(t)]->isChecked()) f.types |= 1u << t;
  f.course = course_->currentIndex() - 1;
  return f;
}

void TallyFilterBox::setFilter(const tally::TallyFilter& f) {
  for (int t = 0; t < tally::kTallyTypeSlots; ++t) types_[std::size_t(t)]->setChecked(f.has(t));
  course_->setCurrentIndex(f.course >= 0 && f.course < kCourseCount ? f.course + 1 : 0);
}

bool TallyFilterBox::acceptable(UserPort* port) const {
  if (!filter().empty()) return true;
  if (port)
    port->message("確認", tally::kNoTallyTypeText, MsgIcon::Error);
  else
    QApplication::beep();
  return false;
}

}  // namespace tovra
