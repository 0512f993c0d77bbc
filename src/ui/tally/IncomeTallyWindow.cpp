#include "ui/tally/IncomeTallyWindow.h"

#include <QScrollBar>

#include "features/tally/result_files.hpp"
#include "storage/datastore.hpp"
#include "ui/print/PrintActions.h"
#include "ui/widgets/Looks.h"

namespace tovra {

namespace {

constexpr int kLeft = 8, kCaptionW = 56;
constexpr int kRowsTop = TallyWindow::kTop + 72, kPitch = kShukeiRowH + 2;

}  // namespace

IncomeTallyWindow::IncomeTallyWindow(DataStore& ds, SettingsRecord& settings, UserPort& port, QWidget* parent)
    : TallyWindow(tally::TallyKind::Shushi, &SettingsRecord::shushiRect, "ShushiShukeiForm", "ToolPanel", ds, settings,
                  port, parent) {
  const FigureLayout l = FigureLayout::at(kLeft, kCaptionW);
  makeHeading(kLeft, l.right() - kLeft);

  for (int c = 0; c < kCourseCount; ++c) {
    const QString n = QString::number(c + 1);
    courses_[c] = &addRow(
        figureRow(this, l, kRowsTop + c * kPitch, {}, n, "Label" + n, QString::fromStdString(tally::courseName(c))));
  }
  goukei_ = &addRow(figureRow(this, l, kRowsTop + 10 * kPitch, {}, "11", "GouLabel", "合計"));
  zenjou_ = &addRow(figureRow(this, l, kRowsTop + 11 * kPitch + 8, {}, "12", "ZenLabel", "全場合計"));
  new FigureHeading(this, "Label12", "競馬場 馬券購入額 回収率 回収金額 収支 的中率", *courses_[0], "競馬場",
                    kRowsTop - kPitch);

  scrollBar_ = makeScrollBar(12, QRect(l.right() + 6, kRowsTop, 16, 11 * kPitch - 2));
  connect(scrollBar_, &QScrollBar::valueChanged, this, &IncomeTallyWindow::scrollTo);

  // The types' block: the whole range, whatever row the scroll bar shows.
  const int typesTop = kRowsTop + 12 * kPitch + 16;
  types_ = &addRow(figureRow(this, l, typesTop, "Shiki", "", "ShikiLabel", "全式別"));
  const int y2 = typesTop + kPitch;
  boughtCaption_ = shukeiCaption(this, "ShikiKounyuLabel", "購入", QRect(l.captionX, y2, l.captionW, kShukeiRowH));
  bought_ = shukeiPanel(this, "ShikiKounyuPanel", QRect(l.kouX, y2, l.shuW, kShukeiRowH));
  const int henkanX = l.kouX + l.shuW + 8;
  refundedCaption_ = shukeiCaption(this, "ShikiHenkanLabel", "返還", QRect(henkanX, y2, 32, kShukeiRowH));
  refunded_ = shukeiPanel(this, "ShikiHenkanPanel", QRect(henkanX + 34, y2, l.shuW, kShukeiRowH));
  const int filterX = henkanX + 34 + l.shuW + 10;
  filter_ = shukeiCaption(this, "ShikiTaishoLabel", "", QRect(filterX, y2, l.right() - filterX, kShukeiRowH));

  // WIN5's own row and its bought and refunded, shown when the range bought a WIN5.
  const int win5Top = typesTop + 2 * kPitch + 4;
  win5_ = &addRow(figureRow(this, l, win5Top, "Win5", "", "Win5Label", "WIN5"));
  const int y3 = win5Top + kPitch;
  win5BoughtCaption_ = shukeiCaption(this, "Win5KounyuLabel", "購入", QRect(l.captionX, y3, l.captionW, kShukeiRowH));
  win5Bought_ = shukeiPanel(this, "Win5KounyuPanel", QRect(l.kouX, y3, l.shuW, kShukeiRowH));
  win5RefundedCaption_ = shukeiCaption(this, "Win5HenkanLabel", "返還", QRect(henkanX, y3, 32, kShukeiRowH));
  win5Refunded_ = shukeiPanel(this, "Win5HenkanPanel", QRect(henkanX + 34, y3, l.shuW, kShukeiRowH));

  setFixedSize(l.right() + 30, win5Top + 2 * kPitch + 12);
  applyColours();
}

void IncomeTallyWindow::showResult() {
  {
    QSignalBlocker block(scrollBar_);
    scrollBar_->setValue(0);
  }
  showPosition(0);
}

void IncomeTallyWindow::scrollTo(int position) { showPosition(position); }

int IncomeTallyWindow::position() const { return scrollBar_->value(); }

int IncomeTallyWindow::graphShown() const {
  const int a = position();
  return a == 0 ? tally::ShushiResult::kSumRow : a - 1;
}

void IncomeTallyWindow::showPosition(int a) {
  const auto result = tally::loadShushiFile(ds_, port_);
  if (!result) {
    clearHeading();
    for (FigureRow* r : courses_) r->clear();
    goukei_->clear();
    zenjou_->clear();
    showTypes(nullptr);
    return;
  }
  const tally::ShushiView v = tally::shushiView(*result, a, ds_.nenji, currentYear());
  mainPanel_->setText(QString::fromStdString(v.heading));
  timeLabel_->setText(QString::fromStdString(v.timeStamp));
  const QColor plus = plusColour();
  for (int c = 0; c < kCourseCount; ++c) courses_[c]->set(v.courses[c], plus);
  goukei_->set(v.goukei, plus);
  goukei_->setVisible(v.goukeiVisible);
  zenjou_->set(v.zenjou, plus);
  scrollBar_->setEnabled(v.scrollEnabled);
  const auto types = tally::readTypeFile(ds_, tally::kShushiTypeWorkFile, result->timeStamp);
  showTypes(types ? &*types : nullptr);
}

void IncomeTallyWindow::showTypes(const tally::TypeTallyResult* t) {
  const bool shown = t != nullptr;
  types_->setVisible(shown);
  for (QLabel* w : {bought_, refunded_, boughtCaption_, refundedCaption_, filter_}) w->setVisible(shown);
  tally::ShushiView v;
  if (shown) tally::setTypeBlock(v, *t);
  win5_->setVisible(v.win5Shown);
  for (QLabel* w : {win5Bought_, win5Refunded_, win5BoughtCaption_, win5RefundedCaption_}) w->setVisible(v.win5Shown);
  if (v.win5Shown) {
    win5_->set(v.win5, plusColour());
    win5Bought_->setText(QString::fromStdString(v.win5Bought));
    win5Refunded_->setText(QString::fromStdString(v.win5Refunded));
  }
  if (!shown) return;
  types_->caption->setText(QString::fromStdString(v.typesCaption));
  types_->set(v.types, plusColour());
  bought_->setText(QString::fromStdString(v.typesBought));
  refunded_->setText(QString::fromStdString(v.typesRefunded));
  filter_->setText(QString::fromStdString(v.typesFilter));
}

void IncomeTallyWindow::printResult() {
  // Prints the row the scroll bar shows.
  printWithDialog(this, port_, print::shushiJob(ds_, port_, position(), currentYear()));
}

}  // namespace tovra
