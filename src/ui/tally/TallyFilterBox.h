#pragma once
// The filter group of the tally dialogs, "集計対象": a toggle per bet type (ShikiBtn1-9:
// 単勝 複勝 枠連 馬連 ﾜｲﾄﾞ 馬単 3連複 3連単 WIN5, in three rows of three) and the course
// (JyoFilterBox: "全競馬場", then 札幌 ... 小倉).
// Every type and every course at start and after reset().
#include <QGroupBox>
#include <array>

#include "features/tally/tally_filter.hpp"

class QCheckBox;
class QComboBox;

namespace tovra {

class UserPort;

class TallyFilterBox : public QGroupBox {
  Q_OBJECT
 public:
  explicit TallyFilterBox(QWidget* parent);
  tally::TallyFilter filter() const;
  void setFilter(const tally::TallyFilter& f);
  void reset() { setFilter({}); }
  // Whether the dialog may start its tally: a filter without any type is refused with
  // kNoTallyTypeText (through `port`, or a beep without one) and the dialog stays open.
  bool acceptable(UserPort* port) const;

 private:
  std::array<QCheckBox*, tally::kTallyTypeSlots> types_{};
  QComboBox* course_ = nullptr;
};

}  // namespace tovra
