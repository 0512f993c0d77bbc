#pragma once
// RankTallyWindow "RANK集計": the BEST45 of tmp/rank.tmp page by page: three races a page
// (Panel1-3) for the kinds ranking races or payouts, five days a page (Panel11-15) for
// those ranking meeting days. Every page change reads the work file again.
#include <array>

#include "ui/tally/TallyWindow.h"

class QFrame;
class QLabel;
class QScrollBar;

namespace tovra {

class RankTallyWindow : public TallyWindow {
  Q_OBJECT
 public:
  RankTallyWindow(DataStore& ds, SettingsRecord& settings, UserPort& port, QWidget* parent = nullptr);

  // Reads the work file and shows page p.
  void showPage(int p);
  // The page shown (printing prints it).
  int page() const;

 public slots:
  void scrollTo(int position);

 protected:
  void printResult() override;
  // The kind stored in the work file chooses the panels and the number of pages.
  void showResult() override;

 private:
  // An entry panel and its labels, in the order of the view row's texts().
  template <std::size_t N>
  struct EntryLabels {
    QFrame* panel;
    std::array<QLabel*, N> labels;
  };
  using RaceLabels = EntryLabels<8>;
  using DayLabels = EntryLabels<5>;
  void clearAll();

  QScrollBar* scrollBar_ = nullptr;
  std::array<RaceLabels, 3> race_{};
  std::array<DayLabels, 5> day_{};
};

}  // namespace tovra
