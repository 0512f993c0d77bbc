#include "ui/race/RaceWindow.h"

#include <QCloseEvent>
#include <algorithm>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QStyle>
#include <QPlainTextEdit>
#include <QStyledItemDelegate>
#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include "features/bets/race_figures.hpp"
#include "features/entry/race_delete.hpp"
#include "features/settings/exit_confirmation.hpp"
#include "storage/datastore.hpp"
#include "storage/settings_record.hpp"
#include "storage/user_port.hpp"
#include "ui/entry/RaceDialogs.h"
#include "ui/print/PrintActions.h"
#include "ui/widgets/Looks.h"

static void initRacewinQrc() { Q_INIT_RESOURCE(racewin); }

namespace tovra {

namespace {

// Client area; the controls are placed by hand like the other windows.
constexpr int kClientW = 640, kClientH = 532;
constexpr int kToolBarH = 32;
constexpr int kPanel1H = 270;  // course label, items, tickets, totals, comment
constexpr int kPage1Top = kToolBarH + kPanel1H + 4;
constexpr int kPanelH = 20;    // one-line text panels
constexpr int kFigurePx = 12;  // figure font: 6 px per Shift-JIS byte
// The rows of the new-type lists, in Shift-JIS bytes: the list less its frame and scroll bar.
constexpr int kNewLinesWidth = 48;
constexpr int kNewResultsWidth = 56;
// The settings hold no colour for refunds (their layout has room for eight colours only):
// refunded points are marked in a fixed green, apart from the default hit red and plus blue.
const QColor kRefundColour(0x00, 0x80, 0x00);

struct ToolDef {
  const char* hint;
  const char* theme;
  const char* bundled;
  int gapBefore;
};
const ToolDef kTools[8] = {
    {"ﾚｰｽﾃﾞｰﾀ：ﾚｰｽ項目登録", "", "race-koumoku", 0}, {"ﾚｰｽﾃﾞｰﾀ：購入馬券登録", "", "race-kounyu", 0},
    {"ﾚｰｽﾃﾞｰﾀ：ﾚｰｽ結果登録", "", "race-keka", 0},    {"ﾚｰｽﾃﾞｰﾀ：ｺﾒﾝﾄ登録", "", "race-comento", 0},
    {"ﾚｰｽﾃﾞｰﾀ削除", "", "race-sakujyo", 8},          {"印刷", "document-print", "insatsu", 8},
    {"閉じる", "window-close", "race-tojiru", 8},    {"トヴラ終了", "application-exit", "shuryo", 8},
};

// A sunken one-line panel of formatted text.
QLabel* textPanel(QWidget* parent, const char* name, const QRect& geometry, bool figures = true) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  l->setTextFormat(Qt::PlainText);
  l->setIndent(2);
  l->setGeometry(geometry);
  if (figures) l->setFont(figureFont(kFigurePx));
  paintBackground(l, Qt::white);
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, Qt::black);
  l->setPalette(p);
  return l;
}

// A caption label set on a panel of the window.
QLabel* caption(QWidget* parent, const char* text, int x, int y, int w, int h = 16) {
  auto* l = new QLabel(QString::fromUtf8(text), parent);
  l->setGeometry(x, y, w, h);
  return l;
}

QListWidget* listBox(QWidget* parent, const char* name, const QRect& geometry) {
  auto* b = new QListWidget(parent);
  b->setObjectName(name);
  b->setFont(figureFont(kFigurePx));
  b->setSelectionMode(QAbstractItemView::SingleSelection);
  b->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  b->setUniformItemSizes(true);
  // As tall as a whole number of lines, so that no line shows cut at the bottom.
  b->addItem(QStringLiteral("0"));
  const int line = std::max(1, b->sizeHintForRow(0));
  b->clear();
  const int frame = 2 * b->frameWidth();
  b->setGeometry(geometry.x(), geometry.y(), geometry.width(), frame + (geometry.height() - frame) / line * line);
  return b;
}

void fillList(QListWidget* box, const std::vector<std::string>& lines) {
  box->clear();
  for (const std::string& line : lines) box->addItem(QString::fromStdString(line));
}

// Where the list draws the first character of a line.
qreal listTextLeft(const QListWidget* box) {
  return box->frameWidth() + box->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, box) + 1;
}

// The entries table's lines field by field, each in its column of the figure font; the
// item's text stays the whole entry line.
class EntryColumnsDelegate : public QStyledItemDelegate {
 public:
  EntryColumnsDelegate(QObject* parent, const EntryColumns* columns) : QStyledItemDelegate(parent), columns_(columns) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QStringList fields = index.data(Qt::UserRole).toStringList();
    if (fields.size() != kEntryColumnCount) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    opt.text.clear();
    const QWidget* w = opt.widget;
    QStyle* style = w ? w->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, w);
    painter->save();
    painter->setFont(opt.font);
    const bool selected = opt.state.testFlag(QStyle::State_Selected);
    painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const qreal cell = QFontMetricsF(opt.font).horizontalAdvance(QLatin1Char('0'));
    const QRect r = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, w);
    for (int c = 0; c < kEntryColumnCount; ++c) {
      const EntryColumn& col = (*columns_)[std::size_t(c)];
      painter->drawText(QRectF(r.left() + col.cell * cell, r.top(), col.cells * cell + cell, r.height()),
                        int(Qt::AlignLeft | Qt::AlignVCenter), fields[c]);
    }
    painter->restore();
  }

 private:
  const EntryColumns* columns_;
};

// The heading of the entries table, each word over its column.
class EntriesHeading : public QWidget {
 public:
  EntriesHeading(QWidget* parent, QListWidget* box, const EntryColumns* columns)
      : QWidget(parent), box_(box), columns_(columns) {
    setObjectName("ShutsubaHeading");
    setGeometry(box->x(), box->y() - 18, box->width(), 18);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    const QFont fig = figureFont(kFigurePx);
    p.setFont(fig);
    const qreal cell = QFontMetricsF(fig).horizontalAdvance(QLatin1Char('0'));
    const qreal left = listTextLeft(box_);
    for (int c = 0; c < kEntryColumnCount; ++c) {
      const EntryColumn& col = (*columns_)[std::size_t(c)];
      // The number columns centre their word over the digits, the others start with it.
      const Qt::Alignment align = c < 2 ? Qt::AlignHCenter : Qt::AlignLeft;
      p.drawText(QRectF(left + col.cell * cell, 0, col.cells * cell, height()), int(align | Qt::AlignVCenter),
                 QString::fromUtf8(col.heading));
    }
  }

 private:
  QListWidget* box_;
  const EntryColumns* columns_;
};

}  // namespace

RaceWindow::RaceWindow(DataStore& ds, BetStore& bets, SettingsRecord& settings, UserPort& port, QWidget* parent)
    : QWidget(parent, Qt::Window), ds_(ds), bets_(bets), settings_(settings), port_(port) {
  initUiResources();
  initRacewinQrc();
  setObjectName("RaceForm");
  setWindowTitle("ﾚｰｽﾃﾞｰﾀ");
  setWindowIcon(toolIcon("", "tovra"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(kClientW, kClientH);

  buildToolBar();
  buildUpperPanel();
  buildResultPages();
  applyColours();

  // Window creation takes the stored left and top (0, 0 until the window was closed once).
  move(settings_.raceRect.left, settings_.raceRect.top);
}

// --- construction ---

void RaceWindow::buildToolBar() {
  auto* panel2 = new QWidget(this);
  panel2->setObjectName("Panel2");
  panel2->setGeometry(0, 0, kClientW, kToolBarH);
  int x = 4;
  for (int i = 0; i < 8; ++i) {
    const ToolDef& d = kTools[i];
    x += d.gapBefore;
    toolBtn_[i] = toolBarButton(panel2, i + 1, d.hint, d.theme, d.bundled, x);
    x += 30;
  }

  using Slot = void (RaceWindow::*)();
  const Slot handlers[8] = {&RaceWindow::openRaceItemsDialog, &RaceWindow::openPurchaseDialog,
                            &RaceWindow::openResultDialog,    &RaceWindow::openCommentDialog,
                            &RaceWindow::deleteThisRace,      &RaceWindow::printRace,
                            &RaceWindow::closeWindow,         &RaceWindow::confirmAndEnd};
  for (int i = 0; i < 8; ++i) connect(toolBtn_[i], &QToolButton::clicked, this, handlers[i]);
}

void RaceWindow::buildUpperPanel() {
  panel1_ = new QWidget(this);
  panel1_->setObjectName("Panel1");
  panel1_->setGeometry(0, kToolBarH, kClientW, kPanel1H);

  jyoLabel_ = new QLabel(panel1_);
  jyoLabel_->setObjectName("JyoLabel");
  QFont big = font();
  big.setPixelSize(18);
  big.setBold(true);
  jyoLabel_->setFont(big);
  jyoLabel_->setGeometry(8, 4, 116, 24);

  dayPanel_ = textPanel(panel1_, "DayPanel", QRect(128, 6, 132, kPanelH));
  raceNamePanel_ = textPanel(panel1_, "RaceNamePanel", QRect(264, 6, 368, kPanelH));
  kouPanel_ = textPanel(panel1_, "KouPanel", QRect(8, 32, 624, kPanelH));

  buildTicketPages(panel1_);
  buildTotals(panel1_);
}

void RaceWindow::buildTicketPages(QWidget* panel1) {
  page2_ = new QTabWidget(panel1);
  page2_->setObjectName("Page2");
  page2_->setGeometry(8, 58, 334, 206);

  // Each page holds one or two lists under their bet-type captions.
  auto page = [&](const char* name, const char* title) {
    auto* w = new QWidget;
    w->setObjectName(name);
    page2_->addTab(w, QString::fromUtf8(title));
    return w;
  };
  const int listTop = 20, listH = 150, listW = 152;
  QWidget* tab3 = page("Tab3", "単･複");
  caption(tab3, "単勝", 6, 2, listW);
  kouBox_[kBoxTan] = listBox(tab3, "KouBox1", QRect(4, listTop, listW, listH));
  caption(tab3, "複勝", 168, 2, listW);
  kouBox_[kBoxFuku] = listBox(tab3, "KouBox2", QRect(166, listTop, listW, listH));

  QWidget* tab4 = page("Tab4", "枠連･ﾜｲﾄﾞ");
  caption(tab4, "枠連", 6, 2, listW);
  kouBox_[kBoxWaku] = listBox(tab4, "KouBox3", QRect(4, listTop, listW, listH));
  caption(tab4, "ﾜｲﾄﾞ", 168, 2, listW);
  kouBox_[kBoxWide] = listBox(tab4, "KouBox5", QRect(166, listTop, listW, listH));

  // Up to fifty quinella tickets in one list, scrolled down.
  QWidget* tab5 = page("Tab5", "馬連");
  caption(tab5, "馬連", 6, 2, listW);
  kouBox_[kBoxUma] = listBox(tab5, "KouBox4", QRect(4, listTop, 314, listH));

  // 馬単, 3連複 and 3連単: each line over its rows (type and method, the sets, the marks).
  QWidget* tab6 = page("Tab6", "馬単･3連");
  caption(tab6, "馬単・3連複・3連単", 6, 2, 314);
  newKouBox_ = listBox(tab6, "KouBox6", QRect(4, listTop, 314, listH));
}

void RaceWindow::buildTotals(QWidget* panel1) {
  const int left = 352, colW = 136, panelW = 132;
  caption(panel1, "購入合計", left, 60, colW);
  gouPanel_ = textPanel(panel1, "GouPanel", QRect(left, 76, panelW, kPanelH));
  caption(panel1, "回収率", left + colW + 8, 60, colW);
  ritsuPanel_ = textPanel(panel1, "RitsuPanel", QRect(left + colW + 8, 76, panelW, kPanelH));
  caption(panel1, "回収金額", left, 102, colW);
  kaikinPanel_ = textPanel(panel1, "KaikinPanel", QRect(left, 118, panelW, kPanelH));
  caption(panel1, "収  支", left + colW + 8, 102, colW);
  shuPanel_ = textPanel(panel1, "ShuPanel", QRect(left + colW + 8, 118, panelW, kPanelH));

  caption(panel1, "ｺﾒﾝﾄ", left, 146, colW);
  memo_ = new QPlainTextEdit(panel1);
  memo_->setObjectName("Memo");
  memo_->setReadOnly(true);
  memo_->setGeometry(left, 162, 2 * colW + 8, 102);
}

void RaceWindow::buildResultPages() {
  page1_ = new QTabWidget(this);
  page1_->setObjectName("Page1");
  page1_->setGeometry(8, kPage1Top, kClientW - 16, kClientH - kPage1Top - 6);

  auto* tab1 = new QWidget;
  tab1->setObjectName("Tab1");
  page1_->addTab(tab1, QString::fromUtf8("ﾚｰｽ結果"));
  caption(tab1, "着順", 6, 2, 100);
  bameiBox1_ = listBox(tab1, "BameiBox1", QRect(4, 20, 276, 96));

  // The payouts in two columns: a bet-type caption beside the first panel of its group.
  const int rowH = 22, capW = 34, panelW = 124;
  const int colA = 290, colB = 456;
  auto resultPanel = [&](const char* name, int col, int row) {
    return textPanel(tab1, name, QRect(col + capW, 4 + row * rowH, panelW, kPanelH));
  };
  auto groupCaption = [&](const char* text, int col, int row) { caption(tab1, text, col, 6 + row * rowH, capW); };

  groupCaption("単勝", colA, 0);
  tankeka_[0] = resultPanel("TankekaPanel1", colA, 0);
  tankeka_[1] = resultPanel("TankekaPanel2", colA, 1);
  groupCaption("複勝", colA, 2);
  for (int k = 0; k < 4; ++k)
    fukukeka_[k] = resultPanel(QStringLiteral("FukukekaPanel%1").arg(k + 1).toUtf8().constData(), colA, 2 + k);

  groupCaption("枠連", colB, 0);
  wakukeka_[0] = resultPanel("WakukekaPanel1", colB, 0);
  wakukeka_[1] = resultPanel("WakukekaPanel2", colB, 1);
  groupCaption("馬連", colB, 2);
  umakeka_[0] = resultPanel("UmakekaPanel1", colB, 2);
  umakeka_[1] = resultPanel("UmakekaPanel2", colB, 3);
  groupCaption("ﾜｲﾄﾞ", colB, 4);
  for (int i = 0; i < 3; ++i)
    widekeka_[i] = resultPanel(QStringLiteral("WidekekaPanel%1").arg(i + 1).toUtf8().constData(), colB, 4 + i);

  wideKiriBtn_ = new QPushButton(QString::fromUtf8(" ﾜｲﾄﾞ切り替え"), tab1);
  wideKiriBtn_->setObjectName("WideKiriBtn");
  wideKiriBtn_->setGeometry(colB + capW, 4 + 7 * rowH + 2, panelW, 24);
  connect(wideKiriBtn_, &QPushButton::clicked, this, &RaceWindow::toggleWidePage);

  auto* tab2 = new QWidget;
  tab2->setObjectName("Tab2");
  page1_->addTab(tab2, QString::fromUtf8("出馬表"));
  // Wide enough for two names of 24 bytes beside the numbers and the weight.
  shutsubaBox_ = listBox(tab2, "ShutsubaBox", QRect(4, 20, 400, 170));
  shutsubaBox_->setItemDelegate(new EntryColumnsDelegate(shutsubaBox_, &entryColumns_));
  entriesHeading_ = new EntriesHeading(tab2, shutsubaBox_, &entryColumns_);

  buildAllTypesPage();
}

// The results of 馬単, 3連複 and 3連単 with the scratches at the left; at the right the
// figures of all eight types in the look of the race's totals.
void RaceWindow::buildAllTypesPage() {
  auto* tab7 = new QWidget;
  tab7->setObjectName("Tab7");
  page1_->addTab(tab7, QString::fromUtf8("全式別"));
  caption(tab7, "馬単・3連複・3連単  結果・返還", 6, 2, 360);
  newKekaBox_ = listBox(tab7, "NewKekaBox", QRect(4, 20, 360, 164));

  const int left = 374, colW = 118, panelW = 112;
  caption(tab7, "全式別", left, 2, colW);
  auto figure = [&](const char* text, const char* name, int col, int row) {
    const int x = left + col * colW, y = 20 + row * 44;
    caption(tab7, text, x, y, colW);
    return textPanel(tab7, name, QRect(x, y + 16, panelW, kPanelH));
  };
  zenKouPanel_ = figure("購入", "ZenKouPanel", 0, 0);
  zenHenPanel_ = figure("返還", "ZenHenPanel", 1, 0);
  zenGouPanel_ = figure("購入合計", "ZenGouPanel", 0, 1);
  zenRitsuPanel_ = figure("回収率", "ZenRitsuPanel", 1, 1);
  zenKaikinPanel_ = figure("回収金額", "ZenKaikinPanel", 0, 2);
  zenShuPanel_ = figure("収  支", "ZenShuPanel", 1, 2);
}

// --- showing a race ---

void RaceWindow::applyColours() {
  paintBackground(panel1_, settingsColour(settings_.colours[kColRaceBack]));
  // The captions on it (購入合計, 回収率, ..., ｺﾒﾝﾄ) stand out from it.
  setTextColour(panel1_, headingColourOn(settings_.colours[kColRaceBack]));
  // The ticket pages draw their own light pane: their tabs and captions keep the usual text.
  setTextColour(page2_, palette().color(QPalette::WindowText));
  setTextColour(jyoLabel_, settingsColour(settings_.colours[kColRaceCourse]));
  if (isVisible()) showRace(race_);
}

void RaceWindow::openRace(const DayKey& key, int r) {
  const MeetingDay day = readDayOrFatal(ds_, key);
  if (day.meeting.tsukiHi == 0) {
    port_.beep();
    return;
  }
  key_ = key;
  applyColours();  // an open window shows its race of that day again
  show();
  raise();
  activateWindow();
  showDay(day, r);
}

void RaceWindow::showIfOpen(const DayKey& key, int r) {
  if (!isVisible()) return;
  key_ = key;
  showRace(r);
}

void RaceWindow::setResult(QLabel* panel, const ResultPanelView& v) {
  panel->setText(QString::fromStdString(v.text));
  setTextColour(panel, v.hit ? settingsColour(settings_.colours[kColRaceHitResult]) : QColor(Qt::black));
}

void RaceWindow::showRace(int r) { showDay(readDayOrFatal(ds_, key_), r); }

void RaceWindow::showDay(const MeetingDay& day, int r) {
  day_ = day;
  race_ = r;
  const RaceView v = formatRaceView(key_, day_, settings_, r);
  setWindowTitle(QString::fromStdString(v.caption));
  toolBtn_[4]->setVisible(v.holdsData);
  toolBtn_[5]->setVisible(v.holdsData);
  page2_->setCurrentIndex(v.ticketPage);

  jyoLabel_->setText(QString::fromStdString(v.jyoLabel));
  dayPanel_->setText(QString::fromStdString(v.dayPanel));
  setWholeText(raceNamePanel_, QString::fromStdString(v.raceNamePanel), kFigurePx);
  kouPanel_->setText(QString::fromStdString(v.kouPanel));

  fillList(bameiBox1_, v.finishers);
  for (int k = 0; k < 4; ++k) setResult(fukukeka_[k], v.fuku[k]);
  wideState_ = v.wideState;
  wideKiriBtn_->setEnabled(v.wideKiriEnabled);
  showWidePage();
  for (int k = 0; k < 2; ++k) {
    setResult(tankeka_[k], v.tan[k]);
    setResult(wakukeka_[k], v.waku[k]);
    setResult(umakeka_[k], v.uma[k]);
  }

  for (int b = 0; b < kTicketBoxes; ++b) fillList(kouBox_[b], v.tickets[b]);
  showBets(r);

  gouPanel_->setText(QString::fromStdString(v.gou));
  ritsuPanel_->setText(QString::fromStdString(v.ritsu));
  kaikinPanel_->setText(QString::fromStdString(v.kaikin));
  shuPanel_->setText(QString::fromStdString(v.shu));
  setTextColour(shuPanel_, v.plus ? settingsColour(settings_.colours[kColPlus]) : QColor(Qt::black));

  memo_->setPlainText(QString::fromStdString(v.memo));
  fillList(shutsubaBox_, v.entries);
  for (std::size_t i = 0; i < v.entryFields.size() && int(i) < shutsubaBox_->count(); ++i) {
    QStringList fields;
    for (const std::string& f : v.entryFields[i]) fields << QString::fromStdString(f);
    shutsubaBox_->item(int(i))->setData(Qt::UserRole, fields);
  }
  entryColumns_ = v.entryColumns;
  entriesHeading_->update();
  shutsubaBox_->viewport()->update();
}

namespace {

void fillRows(QListWidget* box, const std::vector<BetsRowView>& rows, const QColor& hit) {
  box->clear();
  for (const BetsRowView& row : rows) {
    auto* item = new QListWidgetItem(QString::fromStdString(row.text), box);
    if (row.hit)
      item->setForeground(hit);
    else if (row.refunded)
      item->setForeground(kRefundColour);
  }
}

}  // namespace

void RaceWindow::showBets(int r) {
  const RaceRecord& race = day_.races[std::size_t(r)];
  StoredRace stored;
  std::string refusal;
  if (const Status opened = bets_.open(false); opened.failed()) {
    ds_.fatal(opened.failure().code, opened.failure().path);
  } else if (opened.refused()) {
    refusal = opened.refusal().text;
  } else if (Result<StoredRace> read = bets_.race(raceKeyOf(key_, day_.meeting, r)); read.failed()) {
    ds_.fatal(read.failure().code, read.failure().path);
  } else if (read.refused()) {
    refusal = read.refusal().text;
  } else {
    stored = std::move(*read);
  }
  // A store that cannot be used leaves the record's own figures and says why.
  const RaceBets bets = raceBets(race, stored);
  const RaceBetsView v = formatRaceBetsView(bets, kNewLinesWidth);
  const QColor hit = settingsColour(settings_.colours[kColRaceHitResult]);
  fillRows(newKouBox_, v.lines, hit);
  std::vector<BetsRowView> results = formatRaceBetsView(bets, kNewResultsWidth).results;
  if (!refusal.empty()) {
    results.clear();
    std::string line;
    for (char c : refusal + "\n") {
      if (c != '\n') {
        line += c;
        continue;
      }
      for (std::string& row : wrapRows(line, kNewResultsWidth, 0)) results.push_back({std::move(row), false, false});
      line.clear();
    }
  }
  fillRows(newKekaBox_, results, hit);
  // A race holding only 馬単, 3連複 or 3連単 rows prints them too.
  if (v.holdsBets) toolBtn_[5]->setVisible(true);
  if (v.holdsBets && page2_->currentIndex() == 0 && v.lines.size() != 0) {
    bool oldTickets = false;
    for (QListWidget* b : kouBox_) oldTickets = oldTickets || b->count() != 0;
    if (!oldTickets) page2_->setCurrentIndex(page2_->count() - 1);
  }

  zenKouPanel_->setText(QString::fromStdString(v.bought));
  zenHenPanel_->setText(QString::fromStdString(v.refunded));
  zenGouPanel_->setText(QString::fromStdString(v.purchase));
  zenRitsuPanel_->setText(QString::fromStdString(v.rate));
  zenKaikinPanel_->setText(QString::fromStdString(v.ret));
  zenShuPanel_->setText(QString::fromStdString(v.balance));
  setTextColour(zenShuPanel_, v.plus ? settingsColour(settings_.colours[kColPlus]) : QColor(Qt::black));
}

void RaceWindow::showWidePage() {
  const auto panels = widePageForState(day_.races, wideState_);
  for (int i = 0; i < 3; ++i) setResult(widekeka_[i], panels[i]);
}

void RaceWindow::toggleWidePage() {
  wideState_ = toggleWideState(wideState_);
  showWidePage();
}

// --- tool bar ---

// The race dialogs on this window's race; after 登録 the window and the main window's
// rows show the saved race.
void RaceWindow::openRaceDialog(RaceDialog which) {
  const auto edited = runRaceDialog(which, ds_, bets_, port_, key_, readDayOrFatal(ds_, key_), race_, this);
  if (!edited) return;
  showDay(*edited, race_);
  emit meetingChanged();
}

void RaceWindow::openRaceItemsDialog() { openRaceDialog(RaceDialog::Items); }
void RaceWindow::openPurchaseDialog() { openRaceDialog(RaceDialog::Purchase); }
void RaceWindow::openResultDialog() { openRaceDialog(RaceDialog::Result); }
void RaceWindow::openCommentDialog() { openRaceDialog(RaceDialog::Comment); }

void RaceWindow::deleteThisRace() {
  MeetingDay day = readDayOrFatal(ds_, key_);
  if (!askOkCancel(port_, deleteRaceDataQuestion(day.meeting, key_.course, race_), MsgIcon::Question)) return;
  const auto written = takeOutcome(ds_, port_, deleteRaceData(ds_.ledger(), key_, std::move(day), race_));
  if (!written) return;
  day_ = *written;
  close();
  emit meetingChanged();
}

void RaceWindow::printRace() {
  // The entries page on top prints the runners, otherwise the race data.
  if (page1_->currentIndex() == 1)
    printWithDialog(this, port_, print::runnersJob(key_, day_, race_));
  else
    printWithDialog(this, port_, print::raceJob(key_, day_, settings_, race_, &bets_));
}

void RaceWindow::closeWindow() { close(); }

void RaceWindow::confirmAndEnd() {
  if (confirmExit(port_, settings_)) emit endRequested();
}

void RaceWindow::closeEvent(QCloseEvent* event) {
  // The main window closes this window on every change of course or day, shown or not;
  // only a window on screen has a rectangle worth keeping.
  if (isVisible()) {
    const QRect g = frameGeometry();
    settings_.raceRect = Rect32{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
  }
  event->accept();
}

}  // namespace tovra
