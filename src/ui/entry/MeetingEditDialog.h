#pragma once
// MeetingEditDialog "開催ﾃﾞｰﾀ修正": a new date and 回次 for the meeting shown. It only
// collects them; the edit runs after it has closed.
#include <QDialog>

#include "features/entry/meeting_series.hpp"

namespace tovra {

class MeetingDateBoxes;

class MeetingEditDialog : public QDialog {
  Q_OBJECT
 public:
  // Opens on the meeting of `course` with this date and 回次.
  MeetingEditDialog(int course, int tsukiHi, int kaiNichi, QWidget* parent = nullptr);
  MeetingDate date() const;

 public slots:
  void acceptEdit();

 private:
  MeetingDateBoxes* boxes_;
};

}  // namespace tovra
