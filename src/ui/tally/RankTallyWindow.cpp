#include "ui/tally/RankTallyWindow.h"

#include <QFrame>
#include <QScrollBar>

#include "features/tally/rank_tally.hpp"
#include "features/tally/result_files.hpp"
#include "ui/print/PrintActions.h"
#include "ui/widgets/Looks.h"

namespace tovra {

namespace {

constexpr int kLeft = 8, kPanelW = 540, kContentTop = TallyWindow::kTop + 56, kContentH = 336;
constexpr int kLine = 22;

QFrame* entryPanel(QWidget* parent, const QString& name, int y, int h) {
  auto* f = new QFrame(parent);
  f->setObjectName(name);
  f->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  f->setGeometry(kLeft, y, kPanelW, h);
  paintBackground(f, Qt::white);
  return f;
}

// A label of an entry panel: name + the panel's number, figure font, black or blue.
QLabel* entryLabel(QFrame* panel, const char* name, int n, int x, int y, int w, bool blue = false,
                   Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* l = new QLabel(panel);
  l->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(name)).arg(n));
  l->setTextFormat(Qt::PlainText);
  l->setFont(figureFont(kShukeiFigurePx));
  l->setAlignment(align);
  l->setGeometry(x, y, w, kLine - 2);
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, blue ? QColor(0, 0, 255) : QColor(Qt::black));
  l->setPalette(p);
  return l;
}

}  // namespace

RankTallyWindow::RankTallyWindow(DataStore& ds, SettingsRecord& settings, UserPort& port, QWidget* parent)
    : TallyWindow(tally::TallyKind::Rank, &SettingsRecord::rankRect, "RankShukeiForm", "Panel4", ds, settings, port,
                  parent) {
  makeHeading(kLeft, kPanelW);
  const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;

  // Three races: rank and day, race number and name, the two figures, the first two horses.
  for (int i = 0; i < 3; ++i) {
    const int n = i + 1;
    QFrame* f =
        entryPanel(this, QStringLiteral("Panel%1").arg(n), kContentTop + i * (kContentH / 3), kContentH / 3 - 6);
    race_[i] = {
        f,
        {entryLabel(f, "TsukiLabel", n, 6, 4, 320), entryLabel(f, "NameLabel", n, 6, 4 + kLine, 526),
         entryLabel(f, "ShikiLabel", n, 30, 4 + 2 * kLine, 40),
         entryLabel(f, "BanLabel", n, 74, 4 + 2 * kLine, 84, false, right),
         entryLabel(f, "ShuLabel", n, 200, 4 + 2 * kLine, 40), entryLabel(f, "Bamei1Label", n, 30, 4 + 3 * kLine, 230),
         entryLabel(f, "Bamei2Label", n, 270, 4 + 3 * kLine, 230),
         entryLabel(f, "KinLabel", n, 244, 4 + 2 * kLine, 84, true, right)}};
  }
  // Five days: rank and day, then the two figures.
  for (int i = 0; i < 5; ++i) {
    const int n = i + 11;
    QFrame* f =
        entryPanel(this, QStringLiteral("Panel%1").arg(n), kContentTop + i * (kContentH / 5), kContentH / 5 - 6);
    day_[i] = {f,
               {entryLabel(f, "TsukiLabel", n, 6, 4, 320), entryLabel(f, "ShikiLabel", n, 30, 4 + kLine, 40),
                entryLabel(f, "BanLabel", n, 74, 4 + kLine, 84, false, right),
                entryLabel(f, "GouLabel", n, 200, 4 + kLine, 40),
                entryLabel(f, "RanLabel", n, 244, 4 + kLine, 84, true, right)}};
    f->hide();
  }

  scrollBar_ = makeScrollBar(14, QRect(kLeft + kPanelW + 6, kContentTop, 16, kContentH - 6));
  connect(scrollBar_, &QScrollBar::valueChanged, this, &RankTallyWindow::scrollTo);

  setFixedSize(kLeft + kPanelW + 30, kContentTop + kContentH + 6);
  applyColours();
}

void RankTallyWindow::showResult() {
  const auto result = tally::loadRankFile(ds_, port_);
  if (!result) {
    clearAll();
    return;
  }
  const bool perRace = tally::rankPerRace(result->code);
  for (const RaceLabels& r : race_) r.panel->setVisible(perRace);
  for (const DayLabels& d : day_) d.panel->setVisible(!perRace);
  {
    QSignalBlocker block(scrollBar_);
    scrollBar_->setRange(0, tally::rankPageCount(result->code) - 1);
    scrollBar_->setValue(0);
  }
  showPage(0);
}

void RankTallyWindow::scrollTo(int position) { showPage(position); }

int RankTallyWindow::page() const { return scrollBar_->value(); }

namespace {

// Each label of an entry panel takes its text of the view row; rows the view does not
// have are left as they are (hidden with their panels).
template <class Labels, class Row>
void fill(Labels& panels, const std::vector<Row>& rows) {
  for (std::size_t i = 0; i < rows.size() && i < panels.size(); ++i) {
    const auto texts = rows[i].texts();
    for (std::size_t k = 0; k < texts.size(); ++k) panels[i].labels[k]->setText(QString::fromStdString(*texts[k]));
  }
}

template <class Labels>
void clearLabels(Labels& panels) {
  for (auto& p : panels)
    for (QLabel* l : p.labels) l->clear();
}

}  // namespace

void RankTallyWindow::clearAll() {
  clearHeading();
  clearLabels(race_);
  clearLabels(day_);
}

void RankTallyWindow::showPage(int p) {
  const auto result = tally::loadRankFile(ds_, port_);
  if (!result) {
    clearAll();
    return;
  }
  const tally::RankView v = tally::rankView(*result, p);
  mainPanel_->setText(QString::fromStdString(v.mainPanel));
  timeLabel_->setText(QString::fromStdString(v.timeStamp));
  fill(race_, v.raceRows);
  fill(day_, v.dayRows);
}

void RankTallyWindow::printResult() {
  // Prints the page the scroll bar shows.
  printWithDialog(this, port_, print::rankJob(ds_, port_, page()));
}

}  // namespace tovra
