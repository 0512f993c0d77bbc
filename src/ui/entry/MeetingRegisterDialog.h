#pragma once
// MeetingRegisterDialog "開催ﾃﾞｰﾀ登録": the course and the first meeting day to register.
// It only collects the choice; the registration runs after it has closed.
#include <QDialog>

#include "features/entry/meeting_series.hpp"

class QButtonGroup;

namespace tovra {

class MeetingDateBoxes;

class MeetingRegisterDialog : public QDialog {
  Q_OBJECT
 public:
  enum Result { Single = 2, Series = 3 };  // 登録, 一括登録; Rejected for ｷｬﾝｾﾙ
  explicit MeetingRegisterDialog(QWidget* parent = nullptr);

  int course() const;  // 0..9
  MeetingDate date() const;

 public slots:
  void registerOneDay();
  void registerSeries();

 private:
  QButtonGroup* radioGroup_;
  MeetingDateBoxes* boxes_;
};

}  // namespace tovra
