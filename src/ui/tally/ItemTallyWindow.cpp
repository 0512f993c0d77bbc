#include "ui/tally/ItemTallyWindow.h"

#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>
#include <memory>

#include "features/tally/koumoku_view.hpp"
#include "features/tally/result_files.hpp"
#include "ui/print/PrintActions.h"
#include "ui/widgets/Looks.h"

namespace tovra {

namespace {

constexpr int kLeft = 64;       // right of the course buttons
constexpr int kCaptionW = 120;  // row labels, and a section's caption with its unit
constexpr int kPitch = kShukeiRowH + 2;
constexpr int kItemHitWidth = 6;  // "%6.1f％", as the item rows show hit rates
constexpr int kPageTop = TallyWindow::kTop + 32;
// The tallest pages: a caption and twelve rows (ﾚｰｽNO); two captions and twelve rows
// (馬場状態・馬券式別 with the bet store's three types).
constexpr int kPageContentH = 14 * kPitch + 22;

// Rows of a page start at x inside the tab page.
FigureLayout rowLayout(int x) { return FigureLayout::at(x, kCaptionW, 8); }

}  // namespace

ItemTallyWindow::ItemTallyWindow(DataStore& ds, SettingsRecord& settings, UserPort& port, QWidget* parent)
    : TallyWindow(tally::TallyKind::Koumoku, &SettingsRecord::koumokuRect, "KoumokuShukeiForm", "ToolPanel", ds,
                  settings, port, parent) {
  page_ = new QTabWidget(this);
  page_->setObjectName("Page");
  page_->setUsesScrollButtons(false);
  // The pages, their sections and row labels come from the view itself.
  const auto empty = std::make_unique<tally::KoumokuResult>();
  const tally::KoumokuView shape = tally::koumokuView(*empty, 10);
  for (const tally::KoumokuPageView& pv : shape.pages) {
    auto* page = new QWidget;
    page->setObjectName(QString::fromStdString(pv.tab));
    page_->addTab(page, QString::fromStdString(pv.caption));
  }
  auto* sonota = new QWidget;
  sonota->setObjectName("Tab9");
  page_->addTab(sonota, "その他");
  // The nine tabs side by side set the page's width; the rows stand in its middle.
  const int rowsW = rowLayout(0).right();
  const int pageW = std::max(rowsW + 40, page_->tabBar()->sizeHint().width() + 12);
  rowsX_ = (pageW - rowsW) / 2 - 2;
  buildPages(shape);
  buildOtherPage(sonota);
  // The pages' height below the tab bar and the frame the style draws around them.
  const int pageH = kPageContentH + page_->tabBar()->sizeHint().height() + 16;
  page_->setGeometry(kLeft, kPageTop, pageW, pageH);

  for (int n = 0; n <= kCourseCount; ++n) {
    auto* b = new QToolButton(this);
    b->setObjectName(QStringLiteral("KaiBtn%1").arg(n + 1));
    const QString name = n < kCourseCount ? QString::fromStdString(tally::courseName(n)) : QStringLiteral("全場");
    b->setText(name);
    b->setToolTip(n < kCourseCount ? name + "競馬場" : QStringLiteral("全競馬場"));
    b->setGeometry(6, kPageTop + 22 + n * 30, 50, 28);
    connect(b, &QToolButton::clicked, this, [this, n] { selectCourse(n); });
    kaiBtn_[n] = b;
  }
  buildTotals(kPageTop + pageH + 6, pageW);
  setFixedSize(kLeft + pageW + 8, kPageTop + pageH + 6 + 3 * kPitch + 12);
  applyColours();
}

void ItemTallyWindow::buildPages(const tally::KoumokuView& shape) {
  const FigureLayout l = rowLayout(rowsX_);
  for (std::size_t p = 0; p < shape.pages.size(); ++p) {
    const tally::KoumokuPageView& pv = shape.pages[p];
    QWidget* page = page_->widget(int(p));
    auto& pageRows = rows_.emplace_back();
    int y = 6;
    for (const tally::KoumokuSectionView& s : pv.sections) {
      auto& sectionRows = pageRows.emplace_back();
      const QString prefix = QString::fromStdString(s.prefix);
      QString title = QString::fromStdString(s.caption);
      if (!s.unit.empty()) title += "  (" + QString::fromStdString(s.unit) + ")";
      QLabel* caption =
          shukeiCaption(page, prefix + "Label", title, QRect(l.captionX, y, l.captionW + 40, kShukeiRowH));
      QFont bold = caption->font();
      bold.setBold(true);
      caption->setFont(bold);
      for (std::size_t i = 0; i < s.labels.size(); ++i) {
        const QString n = QString::number(i + 1);
        sectionRows.push_back(&addRow(figureRow(page, l, y + kPitch * int(i + 1), prefix, n, prefix + "Label" + n,
                                                QString::fromStdString(s.labels[i]))));
      }
      new FigureHeading(page, prefix + "Heading", "馬券購入額 回収率 回収金額 収支 的中率", *sectionRows.front(), {},
                        y);
      int rows = int(s.labels.size());
      if (s.prefix == "Ken") {
        for (int k = 0; k < 3; ++k) {
          const int t = tally::kTallyOldTypeCount + k;
          const QString n = QString::number(rows + 1);
          newKen_[std::size_t(k)] = &addRow(figureRow(page, l, y + kPitch * (rows + 1), prefix, n,
                                                      prefix + "Label" + n,
                                                      QString::fromStdString(tally::tallyTypeName(t))));
          ++rows;
        }
      }
      y += kPitch * (rows + 1) + 8;
    }
  }
}

void ItemTallyWindow::buildOtherPage(QWidget* page) {
  constexpr int captionW = 108, panelW = 12 * 6 + 12;
  const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
  const int left = rowsX_ + 40;
  shukeiCaption(page, "HaiLabel", "的中配当", QRect(left, 6, captionW + panelW, kShukeiRowH), Qt::AlignCenter);
  const auto& bands = tally::payoutBandLabels();
  for (int i = 0; i < 11; ++i) {
    const int y = 6 + kPitch * (i + 1);
    shukeiCaption(page, QStringLiteral("HaiLabel%1").arg(i + 1), QString::fromStdString(bands[std::size_t(i)]),
                  QRect(left, y, captionW, kShukeiRowH), right);
    hai_[i] = shukeiPanel(page, QStringLiteral("HaiPanel%1").arg(i + 1),
                          QRect(left + 4 + captionW, y, panelW, kShukeiRowH), right);
  }
  struct Misc {
    const char* name;
    const char* caption;
    QLabel** panel;
  };
  const Misc misc[] = {
      {"HeiteiPanel", "平均的中配当", &heitei_},         {"TekichuPanel", "的中ﾚｰｽ数", &tekichu_},
      {"RacesuPanel", "馬券購入レース数", &racesu_},     {"UmaheiPanel", "馬連平均購入点数", &umahei_},
      {"ZisshitsuPanel", "馬連実質的中率", &zisshitsu_}, {"NichaPanel", "馬連 1,3着 2,3着率", &nicha_},
  };
  const int x = left + 4 + captionW + panelW + 60;
  for (int i = 0; i < 6; ++i) {
    const int y = 6 + kPitch * (i + 1) + (i >= 3 ? 12 : 0);
    shukeiCaption(page, QString(misc[i].name).replace("Panel", "Label"), misc[i].caption,
                  QRect(x, y, captionW + 10, kShukeiRowH), right);
    *misc[i].panel = shukeiPanel(page, misc[i].name, QRect(x + captionW + 14, y, panelW, kShukeiRowH), right);
  }
}

void ItemTallyWindow::buildTotals(int top, int width) {
  auto* p = new QWidget(this);
  p->setObjectName("P");
  const FigureLayout l = rowLayout(rowsX_);
  p->setGeometry(kLeft + 2, top, width, 3 * kPitch + 6);
  // The time stamp stands in P, above the totals.
  makeHeading(kLeft, width, p, QRect(l.captionX, 0, l.right() - l.captionX, kShukeiRowH));
  jyoRow_ = &addRow(figureRow(p, l, kPitch, "Jyo", {}, "JyoLabel", " "));
  jyoLabel_ = jyoRow_->caption;
  zenRow_ = &addRow(figureRow(p, l, 2 * kPitch, "Zen", {}, "ZenLabel", "全場総合"));
}

void ItemTallyWindow::selectCourse(int n) { showCourse(n); }

int ItemTallyWindow::tab() const { return page_->currentIndex(); }

void ItemTallyWindow::clearAll() {
  clearHeading();
  for (QLabel* l : {heitei_, tekichu_, racesu_, umahei_, zisshitsu_, nicha_}) l->clear();
  for (QLabel* l : hai_) l->clear();
  for (auto& page : rows_)
    for (auto& section : page)
      for (FigureRow* r : section) r->clear();
  jyoRow_->clear();
  zenRow_->clear();
  for (FigureRow* r : newKen_) r->setVisible(false);
}

void ItemTallyWindow::showCourse(int n) {
  jyo_ = n;
  const auto result = tally::loadKoumokuFile(ds_, port_);
  if (!result) {
    clearAll();
    return;
  }
  const tally::KoumokuView v = tally::koumokuView(*result, n);
  mainPanel_->setText(QString::fromStdString(v.heading));
  timeLabel_->setText(QString::fromStdString(v.timeStamp));
  const QColor plus = plusColour();
  for (std::size_t p = 0; p < v.pages.size() && p < rows_.size(); ++p)
    for (std::size_t s = 0; s < v.pages[p].sections.size(); ++s)
      for (std::size_t i = 0; i < v.pages[p].sections[s].rows.size(); ++i)
        rows_[p][s][i]->set(v.pages[p].sections[s].rows[i], plus);
  for (std::size_t i = 0; i < hai_.size(); ++i) hai_[i]->setText(QString::fromStdString(v.hai[i]));
  const std::pair<QLabel*, const std::string*> sonota[] = {{heitei_, &v.heitei},       {tekichu_, &v.tekichu},
                                                           {racesu_, &v.racesu},       {umahei_, &v.umahei},
                                                           {zisshitsu_, &v.zisshitsu}, {nicha_, &v.nicha}};
  for (const auto& [panel, text] : sonota) panel->setText(QString::fromStdString(*text));
  jyoRow_->setVisible(v.courseTotalVisible);
  if (v.courseTotalVisible) {
    jyoLabel_->setText(QString::fromStdString(v.jyoLabel));
    jyoRow_->set(v.jyo, plus);
  }
  zenRow_->set(v.zen, plus);
  const auto types = tally::readTypeFile(ds_, tally::kKoumokuTypeWorkFile, result->timeStamp);
  for (int k = 0; k < 3; ++k) {
    FigureRow* row = newKen_[std::size_t(k)];
    row->setVisible(types.has_value());
    if (types)
      row->set(tally::typeCellView(types->cells[std::size_t(n)][std::size_t(tally::kTallyOldTypeCount + k)],
                                   kItemHitWidth),
               plus);
  }
}

void ItemTallyWindow::printResult() {
  // Prints the course shown and the page on top.
  printWithDialog(this, port_, print::koumokuJob(ds_, port_, jyo(), tab()));
}

}  // namespace tovra
