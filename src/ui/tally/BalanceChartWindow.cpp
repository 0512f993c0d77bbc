#include "ui/tally/BalanceChartWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "adapters/qt/chart/BalanceChartPanel.h"
#include "adapters/qt/chart/ChartPng.h"
#include "adapters/qt/chart/RateChartView.h"
#include "storage/datastore.hpp"
#include "storage/settings_record.hpp"
#include "ui/common/SaveFile.h"
#include "ui/widgets/Looks.h"
#include "ui/widgets/YearRangeBox.h"

namespace tovra {

using exports::ChartKind;

namespace {

constexpr const char* kHintStart = "ｸﾞﾗﾌにﾏｳｽを合わせると、その日やその項目の数字が出ます。";
constexpr const char* kRateViews[exports::kChartKinds] = {nullptr, "CourseRateView", "BetTypeRateView",
                                                          "MonthRateView"};

int tabOf(ChartKind kind) { return static_cast<int>(kind); }

}  // namespace

BalanceChartWindow::BalanceChartWindow(DataStore& ds, SettingsRecord& settings, UserPort& port, QWidget* parent)
    : QWidget(parent, Qt::Window), ds_(ds), settings_(settings), port_(port) {
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
    page_->addTab(rates_[k], exports::chartKindName(static_cast<ChartKind>(k)));
    connect(rates_[k], &RateChartView::hinted, this, &BalanceChartWindow::showHint);
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
  rateView(kind)->setRates(exports::rateChart(ds_, port_, request_, series_->byMonth, kind),
                           ChartStyle::fromSettings(settings_));
  if (kind == ChartKind::BetType) betTypeFilled_ = true;
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
  QWidget* shown = page_->currentWidget();
  writePng(ds_.fs(), port_, path.toStdString(), shown->grab().toImage());
}

void BalanceChartWindow::hideWindow() { hide(); }

}  // namespace tovra
