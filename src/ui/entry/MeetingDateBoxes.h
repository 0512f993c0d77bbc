#pragma once
// The group "月日と回次" of the meeting registration and edit dialogs: month, day, 回
// and 日目 as four drop-down lists.
#include <QGroupBox>

#include "features/entry/meeting_series.hpp"

class QComboBox;

namespace tovra {

class MeetingDateBoxes : public QGroupBox {
  Q_OBJECT
 public:
  explicit MeetingDateBoxes(QWidget* parent = nullptr);  // every list on its first entry
  // Selects the entries of a meeting (month - 1 and so on).
  void showMeeting(int tsukiHi, int kaiNichi);
  MeetingDate date() const;

 private:
  QComboBox* tsukiBox_;
  QComboBox* hiBox_;
  QComboBox* kaiBox_;
  QComboBox* nichiBox_;
};

}  // namespace tovra
