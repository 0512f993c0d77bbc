#include "ui/tally/TallyWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTabWidget>
#include <QScrollBar>
#include <QToolButton>
#include <cstdlib>

#include "features/export/csv_names.hpp"
#include "features/export/tally_csv.hpp"
#include "features/settings/exit_confirmation.hpp"
#include "features/tally/saved_results.hpp"
#include "storage/datastore.hpp"
#include "ui/common/SaveFile.h"
#include "ui/widgets/Looks.h"

static void initShukeiQrc() {
  Q_INIT_RESOURCE(shukeiwin);
  Q_INIT_RESOURCE(racewin);  // the close icon the race window has too
}

namespace tovra {

namespace {

struct ToolDef {
  const char* hint;
  const char* theme;
  const char* bundled;
};
const ToolDef kTools[4] = {
    {"集計結果保存", "document-save", "hozon"},
    {"印刷", "document-print", "insatsu"},
    {"閉じる", "window-close", "race-tojiru"},
    {"トヴラ終了", "application-exit", "shuryo"},
};

}  // namespace

TallyWindow::TallyWindow(tally::TallyKind kind, Rect32 SettingsRecord::*rect, const char* objectName,
                         const char* barName, DataStore& ds, SettingsRecord& settings, UserPort& port, QWidget* parent)
    : QWidget(parent, Qt::Window), ds_(ds), settings_(settings), port_(port), kind_(kind), rect_(rect) {
  initUiResources();
  initShukeiQrc();
  setObjectName(objectName);
  setWindowTitle(QString::fromUtf8(tally::tallyKindInfo(kind).title));
  setWindowIcon(toolIcon("", "tovra"));
  // Single border, minimise only; the close box destroys the window.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setAttribute(Qt::WA_DeleteOnClose);

  toolBar_ = new QWidget(this);
  toolBar_->setObjectName(barName);
  toolBar_->setGeometry(0, 0, 6 * 30 + 40, 32);
  paintBackground(toolBar_, palette().color(QPalette::Button));
  int x = 4;
  for (int i = 0; i < 4; ++i) {
    toolBtn_[i] = toolBarButton(toolBar_, i + 1, kTools[i].hint, kTools[i].theme, kTools[i].bundled, x);
    x += i == 1 ? 38 : 30;
    if (i != 0) continue;
    // CSV保存 and ｸﾞﾗﾌ stand beside 集計結果保存.
    csvBtn_ = toolBarButton(toolBar_, 0, "CSV保存", "x-office-spreadsheet", "csv-hozon", x);
    csvBtn_->setObjectName("CsvBtn");
    graphBtn_ = toolBarButton(toolBar_, 0, "ｸﾞﾗﾌ", "", "graph", x + 30);
    graphBtn_->setObjectName("GraphBtn");
    x += 60;
  }
  connect(csvBtn_, &QToolButton::clicked, this, &TallyWindow::saveCsv);
  connect(graphBtn_, &QToolButton::clicked, this, &TallyWindow::openChart);
  using Slot = void (TallyWindow::*)();
  const Slot handlers[4] = {&TallyWindow::saveResult, &TallyWindow::printShownResult, &TallyWindow::hideWindow,
                            &TallyWindow::confirmAndEnd};
  for (int i = 0; i < 4; ++i) connect(toolBtn_[i], &QToolButton::clicked, this, handlers[i]);

  // Made at the stored left and top (0, 0 until the window was closed once).
  const Rect32& r = settings_.*rect_;
  move(r.left, r.top);
}

void TallyWindow::showAfterTally() {
  applyColours();
  showResult();
  // A window hidden by 閉じる comes back where it was left (the window system may place a
  // window anew when it is mapped again).
  if (!isVisible()) {
    const Rect32& r = settings_.*rect_;
    move(r.left, r.top);
  }
  show();
  raise();
  activateWindow();
}

void TallyWindow::applyColours() {
  paintBackground(this, settingsColour(settings_.colours[kColTallyBack]));
  // Headings and captions on the background stand out from it; the figure panels keep
  // their own black on white.
  setTextColour(this, headingColourOn(settings_.colours[kColTallyBack]));
  // Tab pages draw their own light pane: their tabs and captions keep the usual text.
  for (QTabWidget* pages : findChildren<QTabWidget*>())
    setTextColour(pages, QApplication::palette().color(QPalette::WindowText));
  const QColor plus = plusColour();
  for (FigureRow& r : rows_) r.recolour(plus);
}

void TallyWindow::makeHeading(int x, int width, QWidget* timeParent, const QRect& timeRect) {
  mainPanel_ = shukeiPanel(this, "MainPanel", QRect(x, kTop + 2, width, 26));
  mainPanel_->setFont(figureFont(16));
  timeLabel_ = shukeiCaption(timeParent ? timeParent : this, "TimeLabel", {},
                             timeParent ? timeRect : QRect(x, kTop + 30, width, 18), Qt::AlignRight | Qt::AlignVCenter);
  timeLabel_->setFont(figureFont(kShukeiFigurePx));
}

void TallyWindow::clearHeading() {
  mainPanel_->clear();
  timeLabel_->clear();
}

QScrollBar* TallyWindow::makeScrollBar(int maximum, const QRect& r) {
  auto* bar = new QScrollBar(Qt::Vertical, this);
  bar->setObjectName("ScrollBar");
  bar->setRange(0, maximum);
  bar->setPageStep(1);
  bar->setGeometry(r);
  return bar;
}

FigureRow& TallyWindow::addRow(const FigureRow& row) {
  rows_.push_back(row);
  return rows_.back();
}

QColor TallyWindow::plusColour() const { return settingsColour(settings_.colours[kColPlus]); }

const std::string& TallyWindow::currentYear() const { return ds_.year; }

void TallyWindow::saveResult() { tally::saveTallyResult(ds_, port_, kind_); }

void TallyWindow::saveCsv() {
  auto table = exports::tallyCsv(ds_, port_, kind_);
  if (!table) return;
  // The file is named by what the work file holds and the course the window shows.
  tally::WorkFileState state;
  const auto record = tally::readWorkRecord(ds_, kind_, state);
  if (!record) return;
  const int course = shownCourse();
  saveCsvAs(this, ds_.fs(), port_, *table,
            QString::fromStdString(exports::tallyCsvFileName(kind_, record->data(), ds_.nenji, currentYear(), course)));
}

void TallyWindow::openChart() {
  if (auto request = exports::chartRequest(ds_, port_, kind_, std::atoi(currentYear().c_str()), graphShown()))
    emit graphRequested(*request);
}

void TallyWindow::printShownResult() {
  if (toolBtn_[1]->isEnabled()) printResult();
}

void TallyWindow::hideWindow() {
  // Hidden like the close box closes it: its rectangle is kept for the next showing.
  keepRect();
  hide();
}

void TallyWindow::keepRect() {
  const QRect g = frameGeometry();
  settings_.*rect_ = Rect32{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void TallyWindow::confirmAndEnd() {
  if (confirmExit(port_, settings_)) emit endRequested();
}

void TallyWindow::resizeEvent(QResizeEvent* event) {
  toolBar_->setGeometry(0, 0, width(), 32);
  QWidget::resizeEvent(event);
}

void TallyWindow::closeEvent(QCloseEvent* event) {
  if (isVisible()) keepRect();
  event->accept();
}

}  // namespace tovra
