#include "ui/main/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "features/main/main_commands.hpp"
#include "storage/datastore.hpp"
#include "storage/records.hpp"
#include "storage/settings_record.hpp"
#include "ui/common/AppState.h"
#include "ui/common/LedgerSignals.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/RowPanel.h"
#include "ui/main/SplashWindow.h"
#include "ui/main/TallyActions.h"
#include "ui/race/RaceWindow.h"
#include "ui/widgets/ColonMenuStyle.h"
#include "ui/widgets/Looks.h"

namespace tovra {

namespace {

// Client area of the window below the menu bar.
constexpr int kClientW = 632, kClientH = 434;
constexpr int kToolBarH = 32, kStatusH = 20;
// The race rows: first row top, row pitch, column edges.
constexpr int kRowTop = 94, kRowPitch = 24, kRowH = 22;
constexpr int kRaceBtnX = 60, kRacePanelX = 94, kKouPanelX = 259, kShuPanelX = 513, kShuPanelRight = 612;

struct MenuEntry {
  const char* name;
  const char* caption;
  const char* separatorBefore;  // name of the separator standing before the entry
};
struct MenuDef {
  const char* name;
  const char* caption;
  std::initializer_list<MenuEntry> entries;
};

const MenuDef kMenus[] = {
    {"Touroku",
     "登録 (&Q)",
     {{"W1", "開催ﾃﾞｰﾀ (&W)", nullptr},
      {"JRAVAN1", "ﾚｰｽﾃﾞｰﾀﾌｧｲﾙ読み込み ： JRA-VANﾃﾞｰﾀﾌｧｲﾙ (&E)", "N6"},
      {"JvData1", "： JV-Dataﾌｧｲﾙ (&J)", nullptr},
      {"NIFTY1", "： NIFTY掲示板ﾃﾞｰﾀﾌｧｲﾙ (&R)", nullptr},
      {"PAT1", "： PATﾃﾞｰﾀﾌｧｲﾙ (&T)", nullptr},
      {"IPAT1", "： 投票履歴(CSV)ﾌｧｲﾙ (&I)", nullptr},
      {"Win5Item", "WIN5 (&5)", "Win5Sep"}}},
    {"N1",
     "修正 (&A)",
     {{"S1", "開催ﾃﾞｰﾀ修正 (&S)", nullptr}, {"D1", "馬場状態修正 (&D)", nullptr}, {"F1", "開催ﾃﾞｰﾀ削除 (&F)", "N11"}}},
    {"N2",
     "集計 (&Z)",
     {{"X1", "収支集計 (&X)", nullptr},
      {"C1", "項目集計 (&C)", nullptr},
      {"V1", "RANK集計 (&V)", nullptr},
      {"B1", "条件集計 (&B)", nullptr},
      {"N13", "保存済集計結果処理 (&N)", "N12"},
      {"Graph1", "収支ｸﾞﾗﾌ (&G)", "GraphSep"}}},
    {"Find1",
     "検索 (&Y)",
     {{"U1", "ﾚｰｽ名検索 (&U)", nullptr},
      {"I1", "重賞検索 ( &I )", nullptr},
      {"O1", "ﾚｰｽ結果配当検索 (&O)", nullptr},
      {"P1", "ﾚｰｽ結果馬名検索 (&P)", nullptr}}},
    {"N3",
     "設定 (&G)",
     {{"N5", "読み込み機能設定 (&J)", nullptr},
      {"N15", "各種設定 (&K)", "N14"},
      {"ZenShikibetsuItem", "全式別で合計を表示 (&A)", "ZenShikibetsuSep"}}},
    {"N4", "その他 (&K)", {{"Print1", "印刷 (&L)", nullptr}, {"M1", "年次処理 (&M)", "N16"}}},
    {"Help1", "ﾍﾙﾌﾟ (&H)", {{"Help2", "ﾍﾙﾌﾟ (&H)", nullptr}, {"About1", "ﾊﾞｰｼﾞｮﾝ情報 (&V)", "N17"}}},
};

struct ToolDef {
  const char* hint;
  const char* theme;    // freedesktop icon name ("" = only the bundled one)
  const char* bundled;  // :/icons/<name>.svg
  int gapBefore;        // extra space before the button, grouping the bar
};
const ToolDef kTools[16] = {
    {"開催ﾃﾞｰﾀ登録", "document-new", "kaisai-touroku", 0},
    {"JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み", "", "yomikomi-jravan", 8},
    {"NIFTY掲示板ﾃﾞｰﾀ読み込み", "", "yomikomi-nifty", 0},
    {"PATﾃﾞｰﾀ読み込み", "", "yomikomi-pat", 0},
    {"馬場状態修正", "", "baba-shusei", 8},
    {"収支集計", "", "shukei-shushi", 8},
    {"項目集計", "", "shukei-koumoku", 0},
    {"RANK集計", "", "shukei-rank", 0},
    {"条件集計", "", "shukei-jyoken", 0},
    {"ﾚｰｽ名検索", "", "kensaku-racemei", 8},
    {"重賞検索", "", "kensaku-jyusho", 0},
    {"ﾚｰｽ結果配当検索", "", "kensaku-haitou", 0},
    {"ﾚｰｽ結果馬名検索", "", "kensaku-bamei", 0},
    {"印刷", "document-print", "insatsu", 8},
    {"ﾍﾙﾌﾟ", "help-contents", "help", 8},
    {"トヴラ終了", "application-exit", "shuryo", 8},
};

// The purchase column's figures ("%10ld円%9.1f％%10ld円", 35 cells) stand in the middle
// of their panel; this is their distance from the panel's left edge.
int kouTextLeft() {
  const qreal cell = QFontMetricsF(figureFont()).horizontalAdvance(QLatin1Char('0'));
  const int panelW = kShuPanelX - kKouPanelX - 2;
  return std::max(4, int((panelW - 35 * cell) / 2));
}

// Label2: the column headings over the race rows, each set over its column; the figure
// headings end where their figures end in the purchase column.
class HeadingLabel : public QLabel {
 public:
  explicit HeadingLabel(QWidget* parent) : QLabel(parent) {
    setObjectName("Label2");
    setText("ﾚｰｽ ﾚｰｽ名 馬券購入額 回収率 回収金額 収支");
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    const QFont fig = figureFont();
    p.setFont(fig);
    const QFontMetricsF fm(fig);
    const qreal cell = fm.horizontalAdvance(QLatin1Char('0'));
    const int h = height();
    auto at = [&](qreal left, qreal right, const char* text, Qt::Alignment align) {
      p.drawText(QRectF(left - x(), 0, right - left, h), int(align | Qt::AlignVCenter), QString::fromUtf8(text));
    };
    at(kRaceBtnX, kRacePanelX - 2, "ﾚｰｽ", Qt::AlignHCenter);
    at(kRacePanelX + 4, kKouPanelX, "ﾚｰｽ名", Qt::AlignLeft);
    // The purchase column holds "%10ld円%9.1f％%10ld円": fields end after 12, 23 and 35 cells.
    const qreal x0 = kKouPanelX + kouTextLeft();
    at(x0, x0 + 12 * cell, "馬券購入額", Qt::AlignRight);
    at(x0 + 12 * cell, x0 + 23 * cell, "回収率", Qt::AlignRight);
    at(x0 + 23 * cell, x0 + 35 * cell, "回収金額", Qt::AlignRight);
    at(kShuPanelX, kShuPanelRight - 4, "収支", Qt::AlignRight);
  }
};

QAction* addEntry(QMenu* menu, const MenuEntry& e) {
  if (e.separatorBefore) menu->addSeparator()->setObjectName(e.separatorBefore);
  QAction* a = menu->addAction(QString::fromUtf8(e.caption));
  a->setObjectName(e.name);
  return a;
}

}  // namespace

MainWindow::MainWindow(AppState& app, int splashMillis, QWidget* parent)
    : QMainWindow(parent), app_(app), splashMillis_(splashMillis) {
  initUiResources();
  setObjectName("MainForm");
  setWindowTitle("競走収支帖 トヴラ");
  setWindowIcon(toolIcon("", "tovra"));
  // Single border, no maximise.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

  auto* central = new QWidget(this);
  central->setObjectName("Client");
  central->setFixedSize(kClientW, kClientH);
  setCentralWidget(central);

  buildMenu();
  buildToolBar(central);
  buildCoursePanel(central);
  buildRows(central);

  statusBar_ = new QStatusBar(central);
  statusBar_->setObjectName("StatusBar");
  statusBar_->setSizeGripEnabled(false);
  statusBar_->setGeometry(0, kClientH - kStatusH, kClientW, kStatusH);
  paintBackground(statusBar_, palette().color(QPalette::Window));

  timer1_ = new QTimer(this);
  timer1_->setObjectName("Timer1");
  timer1_->setInterval(1000);

  // The tallies, with the condition tally dialog that lives for the whole run.
  tallies_ = new TallyActions(*this);
  // A day written by another window (an import's 登録) is shown as written.
  ledgerSignals_ = new LedgerSignals(events_, this);
  connect(ledgerSignals_, &LedgerSignals::meetingDayChanged, this, [this](const QString& year, int course, int index) {
    if (year.toStdString() == dataStore().year && course == sel_.course && index == sel_.shown()) refreshMeetingView();
  });

  connectHandlers();
  applyColours();
  setMeetingControls(false);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

MainWindow::~MainWindow() {
  delete ledgerSignals_;  // off the list of events before the list goes
  if (help_) delete help_.data();
  if (splash_) delete splash_.data();
}

// --- construction ---

void MainWindow::buildMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu1");
  for (const MenuDef& m : kMenus) {
    QMenu* menu = bar->addMenu(QString::fromUtf8(m.caption));
    menu->setObjectName(m.name);
    menu->menuAction()->setObjectName(QString::fromUtf8(m.name) + "Menu");
    for (const MenuEntry& e : m.entries) addEntry(menu, e);
  }
  // JvData1, NIFTY1, PAT1 and IPAT1 continue JRAVAN1's "ﾚｰｽﾃﾞｰﾀﾌｧｲﾙ読み込み ：": indent them so that
  // their "：" stands under its one.
  const QFontMetrics fm(font());
  const int lead = fm.horizontalAdvance("ﾚｰｽﾃﾞｰﾀﾌｧｲﾙ読み込み ");
  const int space = std::max(1, fm.horizontalAdvance(' '));
  const QString indent(std::max(0, lead / space), ' ');
  for (const char* name : {"JvData1", "NIFTY1", "PAT1", "IPAT1"}) {
    QAction* a = action(name);
    a->setText(indent + a->text());
  }

  popupMenu_ = new QMenu(this);
  popupMenu_->setObjectName("PopupMenu");
  lineUpColons(popupMenu_);
  const char* popCaptions[4] = {" 1R ： ﾚｰｽ項目登録", "      ： 購入馬券登録", "      ： ﾚｰｽ結果登録",
                                "      ： ｺﾒﾝﾄ登録"};
  for (int i = 0; i < 4; ++i) {
    QAction* a = popupMenu_->addAction(QString::fromUtf8(popCaptions[i]));
    a->setObjectName(QStringLiteral("Popm%1").arg(i + 1));
  }
  // The totals row's menu: what belongs to the day rather than to one race.
  dayMenu_ = new QMenu(this);
  dayMenu_->setObjectName("DayMenu");
  dayMenu_->addAction("WIN5")->setObjectName("Win5DayItem");
}

void MainWindow::buildToolBar(QWidget* central) {
  panel2_ = new QWidget(central);
  panel2_->setObjectName("Panel2");
  panel2_->setGeometry(0, 0, kClientW, kToolBarH);
  paintBackground(panel2_, palette().color(QPalette::Button));
  int x = 4;
  for (int i = 0; i < 16; ++i) {
    const ToolDef& d = kTools[i];
    x += d.gapBefore;
    toolBtn_[i] = toolBarButton(panel2_, i + 1, d.hint, d.theme, d.bundled, x);
    x += 29;
  }
  // The view switch after the commands: 全式別 (checked) or the five record types.
  zenBtn_ = new QToolButton(panel2_);
  zenBtn_->setObjectName("ZenShikibetsuBtn");
  zenBtn_->setText("全式別");
  zenBtn_->setToolTip("合計を全式別 (馬単・3連複・3連単・返還を含む) で表示");
  zenBtn_->setCheckable(true);
  zenBtn_->setAutoRaise(true);
  zenBtn_->setGeometry(x + 12, 2, kClientW - x - 12 - 8, 28);
}

void MainWindow::buildCoursePanel(QWidget* central) {
  auto* panel1 = new QWidget(central);
  panel1->setObjectName("Panel1");
  panel1->setGeometry(0, kToolBarH, 58, kClientH - kToolBarH - kStatusH);
  paintBackground(panel1, palette().color(QPalette::Button));
  auto* label1 = new QLabel("開催ﾃﾞｰﾀ", panel1);
  label1->setObjectName("Label1");
  label1->setAlignment(Qt::AlignCenter);
  label1->setGeometry(0, 3, 58, 18);
  for (int c = 0; c < kCourseCount; ++c) {
    auto* b = new QToolButton(panel1);
    b->setObjectName(QStringLiteral("KaiBtn%1").arg(c + 1));
    const QString name = QString::fromUtf8(keibajo(c).name);
    b->setText(name);
    b->setToolTip(name + "競馬場開催ﾃﾞｰﾀ表示");
    b->setGeometry(4, 24 + c * 30, 50, 28);
    kaiBtn_[c] = b;
  }
  kensakuBtn_ = new QToolButton(panel1);
  kensakuBtn_->setObjectName("KensakuBtn");
  kensakuBtn_->setToolTip("検索結果再表示");
  kensakuBtn_->setIcon(toolIcon("", "kensaku-saihyouji"));
  kensakuBtn_->setIconSize(QSize(24, 24));
  kensakuBtn_->setGeometry(4, 340, 50, 34);
}

void MainWindow::buildRows(QWidget* central) {
  jyoLabel_ = new QLabel(central);
  jyoLabel_->setObjectName("JyoLabel");
  QFont big = font();
  big.setPixelSize(20);
  big.setBold(true);
  jyoLabel_->setFont(big);
  jyoLabel_->setGeometry(66, 38, 168, 30);

  comboBox_ = new QComboBox(central);
  comboBox_->setObjectName("ComboBox");
  comboBox_->setGeometry(240, 41, 96, 24);

  kaisaiPanel_ = new QLabel(central);
  kaisaiPanel_->setObjectName("KaisaiPanel");
  kaisaiPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  kaisaiPanel_->setAutoFillBackground(true);
  kaisaiPanel_->setFont(figureFont(13));
  paintBackground(kaisaiPanel_, Qt::white);
  kaisaiPanel_->setGeometry(344, 41, 190, 24);

  auto* label2 = new HeadingLabel(central);
  headings_[0] = label2;
  label2->setGeometry(kRaceBtnX, kRowTop - 20, kShuPanelRight - kRaceBtnX, 18);

  const QFont fig = figureFont();
  for (int r = 0; r < 13; ++r) {
    const int y = kRowTop + r * kRowPitch;
    const QByteArray n = QByteArray::number(r + 1);
    if (r < 12) {
      auto* btn = new QPushButton(QStringLiteral("%1R").arg(r + 1), central);
      btn->setObjectName("RaceBtn" + n);
      btn->setGeometry(kRaceBtnX, y, kRacePanelX - kRaceBtnX - 2, kRowH);
      raceBtn_[r] = btn;
      racePanel_[r] = new RowPanel(central, ("RacePanel" + n).constData(), r);
      racePanel_[r]->setGeometry(kRacePanelX, y, kKouPanelX - kRacePanelX - 2, kRowH);
      racePanel_[r]->setFont(fig);
    } else {
      auto* label3 = new QLabel("合計", central);
      label3->setObjectName("Label3");
      label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      label3->setGeometry(kRacePanelX, y, kKouPanelX - kRacePanelX - 8, kRowH);
      headings_[1] = label3;
    }
    kouPanel_[r] = new RowPanel(central, ("KouPanel" + n).constData(), r);
    kouPanel_[r]->setGeometry(kKouPanelX, y, kShuPanelX - kKouPanelX - 2, kRowH);
    kouPanel_[r]->setFont(fig);
    kouPanel_[r]->setIndent(kouTextLeft() - kouPanel_[r]->frameWidth());
    shuPanel_[r] = new RowPanel(central, ("ShuPanel" + n).constData(), r);
    shuPanel_[r]->setGeometry(kShuPanelX, y, kShuPanelRight - kShuPanelX, kRowH);
    shuPanel_[r]->setFont(fig);
    shuPanel_[r]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }

  scrollBar_ = new QScrollBar(Qt::Vertical, central);
  scrollBar_->setObjectName("ScrollBar");
  scrollBar_->setGeometry(kShuPanelRight + 2, kRowTop, kClientW - kShuPanelRight - 4, 12 * kRowPitch - 2);
  scrollBar_->setRange(0, 0);
  scrollBar_->setPageStep(1);

  // The day's WIN5 under the totals row; the client grows by a row while it is shown.
  win5Label_ = new QLabel(central);
  win5Label_->setObjectName("Win5Label");
  win5Label_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  win5Label_->setAutoFillBackground(true);
  win5Label_->setFont(fig);
  paintBackground(win5Label_, Qt::white);
  win5Label_->setGeometry(kRaceBtnX, kRowTop + 13 * kRowPitch, kShuPanelRight - kRaceBtnX, kRowH);
  win5Label_->hide();
}

void MainWindow::showWin5Line(const QString& text) {
  const bool shown = !text.isEmpty();
  win5Label_->setText(text);
  win5Label_->setToolTip(text);
  if (shown == !win5Label_->isHidden()) return;
  win5Label_->setVisible(shown);
  const int h = kClientH + (shown ? kRowPitch : 0);
  centralWidget()->setFixedSize(kClientW, h);
  statusBar_->setGeometry(0, h - kStatusH, kClientW, kStatusH);
  if (QWidget* panel1 = centralWidget()->findChild<QWidget*>("Panel1"))
    panel1->setFixedHeight(h - kToolBarH - kStatusH);
}

void MainWindow::connectHandlers() {
  for (int c = 0; c < kCourseCount; ++c)
    connect(kaiBtn_[c], &QToolButton::clicked, this, [this, c] { selectCourse(c); });
  connect(kensakuBtn_, &QToolButton::clicked, this, &MainWindow::showStoredSearch);
  connect(comboBox_, &QComboBox::currentIndexChanged, this, &MainWindow::selectYear);
  connect(scrollBar_, &QScrollBar::valueChanged, this, &MainWindow::showMeetingDay);
  for (int r = 0; r < 12; ++r) {
    connect(raceBtn_[r], &QPushButton::clicked, this, [this, r] { showRaceOfRow(r); });
    for (RowPanel* p : {racePanel_[r], kouPanel_[r], shuPanel_[r]}) {
      connect(p, &RowPanel::doubleClicked, this, &MainWindow::showRaceOfDoubleClickedRow);
      connect(p, &RowPanel::rightPressed, this, &MainWindow::openRowMenu);
    }
  }
  // The totals row: its right button opens the day's menu.
  for (RowPanel* p : {kouPanel_[12], shuPanel_[12]}) connect(p, &RowPanel::rightPressed, this, &MainWindow::openRowMenu);
  using Slot = void (MainWindow::*)();
  const std::pair<const char*, Slot> menuSlots[] = {
      {"W1", &MainWindow::openMeetingRegisterDialog},
      {"JRAVAN1", &MainWindow::openJravanImport},
      {"JvData1", &MainWindow::openJvDataImport},
      {"NIFTY1", &MainWindow::openNiftyImport},
      {"PAT1", &MainWindow::openPatImport},
      {"IPAT1", &MainWindow::openIpatImport},
      {"S1", &MainWindow::openMeetingEditDialog},
      {"D1", &MainWindow::openGoingDialog},
      {"F1", &MainWindow::deleteShownMeeting},
      {"X1", &MainWindow::runIncomeTally},
      {"C1", &MainWindow::runItemTally},
      {"V1", &MainWindow::runRankTally},
      {"B1", &MainWindow::runConditionTally},
      {"N13", &MainWindow::openSavedResults},
      {"Graph1", &MainWindow::openBalanceChart},
      {"U1", &MainWindow::searchRaceName},
      {"I1", &MainWindow::searchGradedStakes},
      {"O1", &MainWindow::searchPayouts},
      {"P1", &MainWindow::searchHorseName},
      {"N5", &MainWindow::openImportFoldersDialog},
      {"N15", &MainWindow::openSettingsDialog},
      {"Print1", &MainWindow::printMeetingDay},
      {"M1", &MainWindow::openYearDialog},
      {"Help2", &MainWindow::openHelp},
      {"About1", &MainWindow::openAboutDialog},
      {"Popm1", &MainWindow::openRaceItemsDialog},
      {"Popm2", &MainWindow::openPurchaseDialog},
      {"Popm3", &MainWindow::openResultDialog},
      {"Popm4", &MainWindow::openCommentDialog},
      {"Win5Item", &MainWindow::openWin5Dialog},
      {"Win5DayItem", &MainWindow::openWin5Dialog},
  };
  for (const auto& [name, slot] : menuSlots) connect(action(name), &QAction::triggered, this, slot);
  zenItem_ = action("ZenShikibetsuItem");
  zenItem_->setCheckable(true);
  connect(zenItem_, &QAction::triggered, this, &MainWindow::setAllTypesView);
  connect(zenBtn_, &QToolButton::clicked, this, &MainWindow::setAllTypesView);
  const Slot toolSlots[16] = {
      &MainWindow::openMeetingRegisterDialogFromToolbar,
      &MainWindow::openJravanImportFromToolbar,
      &MainWindow::openNiftyImportFromToolbar,
      &MainWindow::openPatImportFromToolbar,
      &MainWindow::openGoingDialogFromToolbar,
      &MainWindow::runIncomeTallyFromToolbar,
      &MainWindow::runItemTallyFromToolbar,
      &MainWindow::runRankTallyFromToolbar,
      &MainWindow::runConditionTallyFromToolbar,
      &MainWindow::searchRaceNameFromToolbar,
      &MainWindow::searchGradedStakesFromToolbar,
      &MainWindow::searchPayoutsFromToolbar,
      &MainWindow::searchHorseNameFromToolbar,
      &MainWindow::printMeetingDayFromToolbar,
      &MainWindow::openHelpFromToolbar,
      &MainWindow::confirmAndEnd,
  };
  for (int i = 0; i < 16; ++i) connect(toolBtn_[i], &QToolButton::clicked, this, toolSlots[i]);
  connect(timer1_, &QTimer::timeout, this, &MainWindow::closeSplash);
}

QAction* MainWindow::action(const char* name) const {
  if (QAction* a = findChild<QAction*>(QLatin1String(name))) return a;
  qFatal("main window has no action %s", name);
}

void MainWindow::setCommandEnabled(const char* name, bool enabled) {
  // Looked up only among the window's own menus and controls: a dialog open over the
  // window may have a control of the same name.
  const QLatin1String n(name);
  if (QAction* a = menuBar()->findChild<QAction*>(n))
    a->setEnabled(enabled);
  else if (QAction* p = popupMenu_->findChild<QAction*>(n))
    p->setEnabled(enabled);
  else if (QMenu* m = menuBar()->findChild<QMenu*>(n))
    m->menuAction()->setEnabled(enabled);
  else if (QAbstractButton* b = centralWidget()->findChild<QAbstractButton*>(n))
    b->setEnabled(enabled);
  else
    qFatal("main window has no command %s", name);
}

// --- the program's objects, handed to every window and dialog opened from here ---

DataStore& MainWindow::dataStore() { return app_.ds; }
BetStore& MainWindow::bets() { return app_.bets; }
SettingsRecord& MainWindow::settings() { return app_.settings; }
UserPort& MainWindow::port() { return app_.port; }
ImportFolders& MainWindow::importFolders() { return app_.folders; }
Ledger MainWindow::ledger() { return dataStore().ledger(); }
DayKey MainWindow::shownKey() { return sel_.key(dataStore().year); }
void MainWindow::fatal(const FileFailure& f) { dataStore().fatal(f.code, f.path); }

}  // namespace tovra
