// 馬単, 3連複 and 3連単 in the windows, each under 50 ms (the targets), drawn offscreen:
//   BM_OpenPurchaseDialog   購入馬券 made and painted on a race that holds 20 lines of 3連単
//                           ﾎﾞｯｸｽ of 18 horses (4,896 points each);
//   BM_AddFormation         on that race, a 3連単 ﾌｫｰﾒｰｼｮﾝ of 1着 {1,2} / 2着 {1-6} / 3着 {1-18}
//                           added with 追加 (its points expanded and listed);
//   BM_AllTypesSwitch       the main window on the 20-year ledger with 100,000 new-type lines
//                           switched between the five record types and 全式別 (the choice
//                           written to its settings file, the rows filled and painted).
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QRadioButton>
#include <QTabWidget>
#include <memory>

#include "bench_ledger.hpp"
#include "common/scripted_port.hpp"
#include "features/bets/race_bets.hpp"
#include "heavy_store.hpp"
#include "offscreen_app.hpp"
#include "storage/ledger.hpp"
#include "ui/common/AppState.h"
#include "ui/entry/PurchaseDialog.h"
#include "ui/main/MainWindow.h"
#include "ui/widgets/RadioGroupBox.h"

using namespace tovra;

namespace {

template <class T>
T* named(QObject* parent, const char* name) {
  T* w = parent->findChild<T*>(QString::fromUtf8(name));
  if (!w) std::abort();
  return w;
}

// The program's objects over the bench ledger, its store holding the heavy race: race 5 of
// the newest year's first meeting of the course with most meetings.
struct HeavyRace {
  QApplication& app = bench::offscreenApp();
  ScriptedPort port;
  AppState state{bench::ledger().root, port};
  DayKey key{"2024", 0, 0};
  MeetingDay day;
  int race = 4;

  HeavyRace() {
    bench::heavyStore();  // the 100,000 lines first, then the heavy race beside them
    const Ledger ledger(bench::ledger().root, FileSystem::standard());
    auto read = ledger.readDay(key);
    if (!read) std::abort();
    day = *read;
    Horses all;
    for (int h = 1; h <= kMaxHorse; ++h) all.push_back(h);
    const RaceKey at{{2024, key.course, day.meeting.month(), day.meeting.day()}, race + 1};
    if (!state.bets.open(false)) std::abort();
    for (int n = 0; n < 20; ++n)
      if (!state.bets.addLine(at, storedLineOf(PurchaseLine::box(NewBetType::Sanrentan, all, 1 + n), kMaxLinePoints)))
        std::abort();
  }
  std::unique_ptr<PurchaseDialog> dialog() {
    return std::make_unique<PurchaseDialog>(state.ds, state.bets, port, key, day, race);
  }
};

HeavyRace& heavyRace() {
  static HeavyRace r;
  return r;
}

void BM_OpenPurchaseDialog(benchmark::State& state) {
  HeavyRace& h = heavyRace();
  for (auto _ : state) {
    auto dlg = h.dialog();
    named<QTabWidget>(dlg.get(), "Page")->setCurrentIndex(6);  // 3連単
    benchmark::DoNotOptimize(dlg->grab());
  }
}
BENCHMARK(BM_OpenPurchaseDialog)->Unit(benchmark::kMillisecond);

void BM_AddFormation(benchmark::State& state) {
  HeavyRace& h = heavyRace();
  for (auto _ : state) {
    state.PauseTiming();
    auto dlg = h.dialog();
    named<QTabWidget>(dlg.get(), "Page")->setCurrentIndex(6);
    named<RadioGroupBox>(dlg.get(), "SanrentanNyuGroup")->item(3)->click();  // ﾌｫｰﾒｰｼｮﾝ
    named<QLineEdit>(dlg.get(), "SanrentanGakuEdit")->setText("1");
    auto tick = [&](int column, int upTo) {
      for (int horse = 1; horse <= upTo; ++horse)
        named<QCheckBox>(dlg.get(), QStringLiteral("SanrentanCheck%1_%2").arg(column).arg(horse).toUtf8().constData())
            ->click();
    };
    tick(1, 2);
    tick(2, 6);
    tick(3, kMaxHorse);
    auto* list = named<QListWidget>(dlg.get(), "SanrentanListBox");
    const int before = list->count();
    state.ResumeTiming();
    named<QAbstractButton>(dlg.get(), "SanrentanTsuikaBtn")->click();
    benchmark::DoNotOptimize(list->grab());
    state.PauseTiming();
    if (list->count() != before + 1) std::abort();
    dlg.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AddFormation)->Unit(benchmark::kMillisecond);

void BM_AllTypesSwitch(benchmark::State& state) {
  HeavyRace& h = heavyRace();
  MainWindow window(h.state, 0);
  if (!window.startUp()) std::abort();
  window.goToDay(h.key.year, h.key.course, h.key.index);
  bool on = false;
  for (auto _ : state) {
    on = !on;
    window.setAllTypesView(on);
    benchmark::DoNotOptimize(window.grab());
    if (window.allTypesView() != on) std::abort();
  }
}
BENCHMARK(BM_AllTypesSwitch)->Unit(benchmark::kMillisecond);

}  // namespace
