#pragma once
// TKaisaiTourokuDialog "開催ﾃﾞｰﾀ登録": the course and the first meeting day to register.
// It only collects the choice; the registration runs after it has closed.
#include <QDialog>

#include "features/entry/meeting_series.hpp"

class QButtonGroup;

namespace tovra {

class KaisaiDateBoxes;

class TKaisaiTourokuDialog : public QDialog {
  Q_OBJECT
 public:
  enum Result { Single = 2, Series = 3 };  // 登録, 一括登録; Rejected for ｷｬﾝｾﾙ
  explicit TKaisaiTourokuDialog(QWidget* parent = nullptr);

  int course() const;  // 0..9
  MeetingDate date() const;

 public slots:
  void TourokuBtnClick();
  void IkkatsuBtnClick();

 private:
  QButtonGroup* radioGroup_;
  KaisaiDateBoxes* boxes_;
};

}  // namespace tovra
