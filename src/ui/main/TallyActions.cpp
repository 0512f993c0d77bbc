#include "ui/main/TallyActions.h"

#include "features/tally/jyoken_tally.hpp"
#include "features/tally/koumoku_tally.hpp"
#include "features/tally/rank_tally.hpp"
#include "features/tally/saved_results.hpp"
#include "features/tally/shushi_tally.hpp"
#include "storage/datastore.hpp"
#include "ui/main/MainWindow.h"
#include "ui/tally/BalanceChartWindow.h"
#include "ui/tally/ConditionTallyDialog.h"
#include "ui/tally/ConditionTallyWindow.h"
#include "ui/tally/IncomeTallyDialog.h"
#include "ui/tally/IncomeTallyWindow.h"
#include "ui/tally/ItemTallyDialog.h"
#include "ui/tally/ItemTallyWindow.h"
#include "ui/tally/RankTallyDialog.h"
#include "ui/tally/RankTallyWindow.h"
#include "ui/tally/SavedResultsDialog.h"

namespace tovra {

namespace {

std::size_t slot(tally::TallyKind kind) { return std::size_t(static_cast<int>(kind) - 1); }

}  // namespace

TallyActions::TallyActions(MainWindow& main) : QObject(&main), main_(main) {
  setObjectName("ShukeiActions");
  jyokenDialog_ = new ConditionTallyDialog(main.dataStore(), main.port(), &main);
}

TallyWindow* TallyActions::window(tally::TallyKind kind) const { return windows_[slot(kind)].data(); }

TallyWindow* TallyActions::showWindow(tally::TallyKind kind) {
  QPointer<TallyWindow>& w = windows_[slot(kind)];
  if (!w) {
    DataStore& ds = main_.dataStore();
    SettingsRecord& s = main_.settings();
    UserPort& port = main_.port();
    switch (kind) {
      case tally::TallyKind::Shushi: w = new IncomeTallyWindow(ds, s, port, &main_); break;
      case tally::TallyKind::Koumoku: w = new ItemTallyWindow(ds, s, port, &main_); break;
      case tally::TallyKind::Rank: w = new RankTallyWindow(ds, s, port, &main_); break;
      case tally::TallyKind::Jyoken: w = new ConditionTallyWindow(ds, s, port, &main_); break;
    }
    connect(w, &TallyWindow::endRequested, &main_, &MainWindow::close);
    connect(w, &TallyWindow::graphRequested, this, &TallyActions::showChart);
  }
  w->showAfterTally();
  return w;
}

void TallyActions::applyColours() {
  for (const QPointer<TallyWindow>& w : windows_)
    if (w) w->applyColours();
  if (graph_) graph_->applyColours();
}

BalanceChartWindow* TallyActions::chartWindow() const { return graph_.data(); }

void TallyActions::openChart() { showChart(exports::ChartRequest{}); }

BalanceChartWindow* TallyActions::showChart(const exports::ChartRequest& request) {
  if (!graph_) graph_ = new BalanceChartWindow(main_.dataStore(), main_.bets(), main_.settings(), main_.port(), &main_);
  graph_->showRequest(request);
  return graph_;
}

void TallyActions::startIncomeTally() {
  DataStore& ds = main_.dataStore();
  const MainSelection& sel = main_.selection();
  IncomeTallyDialog dialog(ds, ds.year, sel.count() > 0 ? &sel.day.meeting : nullptr, &main_, &main_.port());
  if (dialog.exec() != QDialog::Accepted) return;
  const tally::ShushiChoice c = dialog.choice();
  const int currentYear = ds.yearNumber();
  if (tally::runShushiTally(ds, main_.bets(), main_.port(), c.mode, c.selection, currentYear, dialog.filter()))
    showWindow(tally::TallyKind::Shushi);
}

void TallyActions::startItemTally() {
  ItemTallyDialog dialog(main_.dataStore(), &main_, &main_.port());
  if (dialog.exec() != QDialog::Accepted) return;
  if (tally::runKoumokuTally(main_.dataStore(), main_.bets(), main_.port(), dialog.mode(), dialog.yearPosition(),
                             dialog.filter()))
    showWindow(tally::TallyKind::Koumoku);
}

void TallyActions::startRankTally() {
  RankTallyDialog dialog(main_.dataStore(), &main_, &main_.port());
  if (dialog.exec() != QDialog::Accepted) return;
  if (tally::runRankTally(main_.dataStore(), main_.port(), dialog.code(), dialog.yearPosition(), tally::localNow,
                          dialog.filter()))
    showWindow(tally::TallyKind::Rank);
}

void TallyActions::startConditionTally() {
  if (jyokenDialog_->exec() != QDialog::Accepted) return;
  if (tally::runJyokenTally(main_.dataStore(), main_.port(), jyokenDialog_->rangeFlag(), jyokenDialog_->yearPosition(),
                            jyokenDialog_->conditions(), tally::localNow, jyokenDialog_->filter()))
    showWindow(tally::TallyKind::Jyoken);
}

void TallyActions::openSavedResults() {
  SavedResultsDialog dialog(main_.dataStore(), main_.port(), &main_);
  if (dialog.exec() != QDialog::Accepted) return;
  const auto [kind, line] = dialog.chosen();
  if (tally::restoreSavedResult(main_.dataStore(), main_.port(), kind, line)) showWindow(kind);
}

}  // namespace tovra
