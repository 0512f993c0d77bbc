#include "ui/tally/BalanceChartWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "adapters/qt/chart/BalanceChartPanel.h"
#include "adapters/qt/chart/ChartPng.h"
#include "adapters/qt/chart/RateChartView.h"
#include "storage/bet_store.hpp"
#include "storage/datastore.hpp"
#include "storage/settings_record.hpp"
#include "ui/common/SaveFile.h"
#include "ui/widgets/Looks.h"
#include "ui/widgets/YearRangeBox.h"

namespace tovra {

using exports::ChartKind;

namespace {

constexpr const char* kNoTypeLeft = "式別を1つ以上選んで下さい。";
constexpr const char* kHintStart = "ｸﾞﾗﾌにﾏｳｽを合わせると、その日やその項目の数字が出ます。";
constexpr const char* kRateViews[exports::kChartKinds] = {nullptr, "CourseRateView", "BetTypeRateView",
                                                          "MonthRateView"};

int tabOf(ChartKind kind) { return static_cast<int>(kind); }

}  // namespace

BalanceChartWindow::BalanceChartWindow(DataStore& ds, BetStore& bets, SettingsRecord& settings, UserPort& port,
                                       QWidget* parent)
    : QWidget(parent, Qt::Window), ds_(ds), bets_(bets), settings_(settings), port_(port) {
  initUiResources();
  setObjectName("GraphForm");
  setWindowTitle("収支ｸﾞﾗﾌ");
  setWindowIcon(toolIcon("", "tovra"));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 6);
  auto* top = new QHBoxLayout;
  range_ = new YearRangeBox("範囲", ds_, this);
  range_->setObjectName("RangeBox");
  top->addWidget(range_);
  top->addStretch();
  pngBtn_ = new QPushButton("PNG保存", this);
  pngBtn_->setObjectName("PngBtn");
  pngBtn_->setIcon(toolIcon("document-save", "hozon"));
  closeBtn_ = new QPushButton("閉じる", this);
  closeBtn_->setObjectName("CloseBtn");
  top->addWidget(pngBtn_, 0, Qt::AlignBottom);
  top->addWidget(closeBtn_, 0, Qt::AlignBottom);
  layout->addLayout(top);

  page_ = new QTabWidget(this);
  page_->setObjectName("GraphPage");
  balance_ = new BalanceChartPanel(page_);
  page_->addTab(balance_, exports::chartKindName(ChartKind::Balance));
  for (int k = 1; k < exports::kChartKinds; ++k) {
    rates_[k] = new RateChartView(page_);
    rates_[k]->setObjectName(kRateViews[k]);
    connect(rates_[k], &RateChartView::hinted, this, &BalanceChartWindow::showHint);
    if (static_cast<ChartKind>(k) != ChartKind::BetType) {
      page_->addTab(rates_[k], exports::chartKindName(static_cast<ChartKind>(k)));
      continue;
    }
    // 馬券式別: the toggles of the types above the chart.
    auto* typePage = new QWidget(page_);
    typePage->setObjectName("BetTypePage");
    auto* typeLayout = new QVBoxLayout(typePage);
    typeLayout->setContentsMargins(0, 4, 0, 0);
    typeGroup_ = new QGroupBox("式別", typePage);
    typeGroup_->setObjectName("ShikiGroup");
    auto* checks = new QHBoxLayout(typeGroup_);
    checks->setContentsMargins(8, 2, 8, 2);
    for (int i = 0; i < exports::kChartTypeCount; ++i) {
      auto* box = new QCheckBox(exports::chartTypeName(i), typeGroup_);
      box->setObjectName(QString("ShikiCheck%1").arg(i + 1));
      box->setChecked(true);
      checks->addWidget(box);
      typeChecks_[i] = box;
      connect(box, &QCheckBox::toggled, this, [this, i](bool on) { toggleChartType(i, on); });
    }
    checks->addStretch();
    typeLayout->addWidget(typeGroup_);
    rates_[k]->setParent(typePage);
    typeLayout->addWidget(rates_[k], 1);
    page_->addTab(typePage, exports::chartKindName(ChartKind::BetType));
  }
  layout->addWidget(page_, 1);

  hint_ = new QLabel(kHintStart, this);
  hint_->setObjectName("HintLabel");
  hint_->setFont(figureFont(12));
  hint_->setMinimumHeight(20);
  layout->addWidget(hint_);

  connect(balance_, &BalanceChartPanel::hinted, this, &BalanceChartWindow::showHint);
  connect(range_, &YearRangeBox::rangeClicked, this, &BalanceChartWindow::recountOverChosenRange);
  connect(range_->yearBox(), &QComboBox::activated, this, &BalanceChartWindow::recountOverChosenRange);
  connect(page_, &QTabWidget::currentChanged, this, &BalanceChartWindow::fillShownChart);
  connect(pngBtn_, &QPushButton::clicked, this, &BalanceChartWindow::saveChartPng);
  connect(closeBtn_, &QPushButton::clicked, this, &BalanceChartWindow::hideWindow);
  resize(980, 720);
  applyColours();
}

RateChartView* BalanceChartWindow::rateView(ChartKind kind) const { return rates_[static_cast<int>(kind)]; }

void BalanceChartWindow::showRequest(const exports::ChartRequest& q) {
  request_ = q;
  request_.types = types_;
  setRangeBox(q.range);
  recount();
  page_->setCurrentIndex(tabOf(q.first));
  fillShownChart(page_->currentIndex());
  show();
  raise();
  activateWindow();
}

void BalanceChartWindow::setRangeBox(const tally::TallyRange& range) {
  range_->reset(ds_);  // the years may have changed since
  const int position = range.allYears ? -1 : tally::yearPosition(ds_.nenji, range.year);
  if (position < 0) return;
  range_->hanBtn2()->setChecked(true);
  range_->yearBox()->setEnabled(true);
  range_->yearBox()->setCurrentIndex(position);
}

void BalanceChartWindow::recountOverChosenRange() {
  // A range of the user's own: every chart is counted over it.
  exports::ChartRequest q;
  q.range = range_->range();
  q.types = types_;
  q.first = static_cast<ChartKind>(page_->currentIndex());
  request_ = q;
  recount();
  fillShownChart(page_->currentIndex());
}

void BalanceChartWindow::recount() {
  series_ = exports::balanceSeries(ds_, port_, request_.range);
  betTypeFilled_ = false;
  const ChartStyle style = ChartStyle::fromSettings(settings_);
  balance_->setSeries(*series_, style);
  fillRates(ChartKind::Course);
  fillRates(ChartKind::Month);
  hint_->setText(kHintStart);
}

void BalanceChartWindow::fillRates(ChartKind kind) {
  // The item tally of the range is counted when the page is first shown.
  exports::RateChart chart = exports::rateChart(ds_, bets_, port_, request_, series_->byMonth, kind);
  if (kind == ChartKind::BetType && chart.bars.empty() && !(types_ == exports::ChartTypes::every())) {
    // Only new types ticked, and a range whose chart has the five alone: every type again.
    types_ = exports::ChartTypes::every();
    request_.types = types_;
    chart = exports::rateChart(ds_, bets_, port_, request_, series_->byMonth, kind);
  }
  rateView(kind)->setRates(chart, ChartStyle::fromSettings(settings_));
  if (kind != ChartKind::BetType) return;
  betTypeFilled_ = true;
  showTypeChecks();
}

void BalanceChartWindow::showTypeChecks() {
  // The new types have bars only when the chart draws all eight types.
  const bool eight = request_.allTypes.has_value();
  for (int i = 0; i < exports::kChartTypeCount; ++i) {
    QCheckBox* box = typeChecks_[i];
    const bool newType = i >= kBetTypeCount;
    const QSignalBlocker quiet(box);
    box->setEnabled(!newType || eight);
    box->setChecked(types_.on[static_cast<std::size_t>(i)] && (!newType || eight));
  }
}

void BalanceChartWindow::toggleChartType(int i, bool on) {
  exports::ChartTypes chosen = types_;
  chosen.on[static_cast<std::size_t>(i)] = on;
  // The types the chart can draw now: the five alone when it draws the item tally.
  bool anyShown = false;
  for (int t = 0; t < exports::kChartTypeCount; ++t)
    if (chosen.on[static_cast<std::size_t>(t)] && (t < kBetTypeCount || request_.allTypes)) anyShown = true;
  if (!anyShown) {
    port_.message("確認", kNoTypeLeft, MsgIcon::Error);
    const QSignalBlocker quiet(typeChecks_[i]);
    typeChecks_[i]->setChecked(!on);
    return;
  }
  types_ = chosen;
  request_.types = chosen;
  if (betTypeFilled_ && series_) fillRates(ChartKind::BetType);
}

void BalanceChartWindow::fillShownChart(int index) {
  if (index == tabOf(ChartKind::BetType) && !betTypeFilled_ && series_) fillRates(ChartKind::BetType);
}

void BalanceChartWindow::applyColours() {
  const QColor back = settingsColour(settings_.colours[kColTallyBack]);
  paintBackground(this, back);
  if (!series_) return;
  balance_->setSeries(*series_, ChartStyle::fromSettings(settings_));
  fillRates(ChartKind::Course);
  fillRates(ChartKind::Month);
  if (betTypeFilled_) fillRates(ChartKind::BetType);
}

void BalanceChartWindow::showHint(const QString& text) {
  QString line = text;
  line.replace('\n', "   ");
  hint_->setText(line);
}

void BalanceChartWindow::saveChartPng() {
  const ChartKind kind = static_cast<ChartKind>(page_->currentIndex());
  const QString suggested = QString::fromUtf8(exports::chartKindName(kind)) + "_" +
                            QString::fromStdString(exports::rangeText(request_.range)) + ".png";
  const QString path = askSaveFile(this, port_, "PNG保存", suggested, "PNG (*.png)");
  if (path.isEmpty()) return;
  QWidget* shown = kind == ChartKind::Balance ? page_->currentWidget() : rateView(kind);
  writePng(ds_.fs(), port_, path.toStdString(), shown->grab().toImage());
}

void BalanceChartWindow::hideWindow() { hide(); }

}  // namespace tovra
