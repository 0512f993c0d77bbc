#pragma once
// TKaisaiShuseiDialog "開催ﾃﾞｰﾀ修正": a new date and 回次 for the meeting shown. It only
// collects them; the edit runs after it has closed.
#include <QDialog>

#include "features/entry/meeting_series.hpp"

namespace tovra {

class KaisaiDateBoxes;

class TKaisaiShuseiDialog : public QDialog {
  Q_OBJECT
 public:
  // Opens on the meeting of `course` with this date and 回次.
  TKaisaiShuseiDialog(int course, int tsukiHi, int kaiNichi, QWidget* parent = nullptr);
  MeetingDate date() const;

 public slots:
  void ShuseiBtnClick();

 private:
  KaisaiDateBoxes* boxes_;
};

}  // namespace tovra
