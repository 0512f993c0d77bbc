#pragma once
// A small ledger for the tally windows' tests, with the main window started on it:
// 2001 (current) and 2000 registered;
//   2001 東京  6月 1日 3回1日目: 1R bought 10000 (balance -2500), 2R bought 4000 and hit
//        (+6000; a 単勝 hit paying 2500);
//   2000 東京  6月11日 2回4日目: 1R bought 5000 and hit (+2500);
//   2001 札幌  8月 5日 1回1日目: 1R bought 2000 (-2000).
// 1R of 2001 東京 carries race items (3歳, 未勝利, 芝), 1R of 札幌 none.
#include <memory>

#include "support/TempLedger.h"
#include "ui/main/MainWindow.h"

namespace tovra::test {

inline constexpr int kTallyTokyo = 4;

class TallyLedger : public TempLedger {
 public:
  // Writes the ledger and settings (start course 東京) and starts the main window.
  TallyLedger();
  ~TallyLedger();
  MainWindow& main() { return *main_; }

 private:
  std::unique_ptr<MainWindow> main_;
};

}  // namespace tovra::test
