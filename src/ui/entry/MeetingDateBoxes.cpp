#include "ui/entry/MeetingDateBoxes.h"

#include <QComboBox>
#include <QHBoxLayout>

#include "features/entry/meeting_boxes.hpp"

namespace tovra {
namespace {

QComboBox* makeBox(QWidget* parent, const char* name, const std::vector<std::string>& entries) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  for (const std::string& e : entries) box->addItem(QString::fromStdString(e));
  box->setMaxVisibleItems(12);
  box->setCurrentIndex(0);
  return box;
}

}  // namespace

MeetingDateBoxes::MeetingDateBoxes(QWidget* parent) : QGroupBox("月日と回次", parent) {
  setObjectName("GroupBox1");
  const MeetingBoxes& b = meetingBoxes();
  tsukiBox_ = makeBox(this, "TsukiBox", b.tsuki);
  hiBox_ = makeBox(this, "HiBox", b.hi);
  kaiBox_ = makeBox(this, "KaiBox", b.kai);
  nichiBox_ = makeBox(this, "NichiBox", b.nichi);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(12, 10, 12, 12);
  row->setSpacing(8);
  for (QComboBox* box : {tsukiBox_, hiBox_, kaiBox_, nichiBox_}) row->addWidget(box);
}

void MeetingDateBoxes::showMeeting(int tsukiHi, int kaiNichi) {
  BoxSelection s = boxesForMeeting(tsukiHi, kaiNichi);
  tsukiBox_->setCurrentIndex(s.tsuki);
  hiBox_->setCurrentIndex(s.hi);
  kaiBox_->setCurrentIndex(s.kai);
  nichiBox_->setCurrentIndex(s.nichi);
}

MeetingDate MeetingDateBoxes::date() const {
  return dateFromBoxes(tsukiBox_->currentIndex(), hiBox_->currentIndex(), kaiBox_->currentIndex(),
                       nichiBox_->currentIndex());
}

}  // namespace tovra
