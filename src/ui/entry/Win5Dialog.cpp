#include "ui/entry/Win5Dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "features/bets/bet_text.hpp"
#include "features/bets/win5_bets.hpp"
#include "features/main/win5_line.hpp"
#include "storage/bet_store.hpp"
#include "storage/records.hpp"
#include "storage/user_port.hpp"
#include "ui/widgets/EntryWidgets.h"
#include "ui/widgets/Looks.h"

namespace tovra {

namespace {

// The outcome's refusal, or the file that failed, as a message; true when it was done.
template <class T>
bool shownUnlessDone(UserPort& port, const Result<T>& r) {
  if (r.refused()) showRefusal(port, r.refusal());
  if (r.failed()) showRefusal(port, Refusal{MsgIcon::Error, r.failure().path});
  return bool(r);
}

QString legCaption(int leg) { return QStringLiteral("ﾚｰｽ%1").arg(leg + 1); }

}  // namespace

Win5Dialog::Win5Dialog(const Ledger& ledger, BetStore& bets, UserPort& port, const Win5Date& date, int course,
                       QWidget* parent)
    : QDialog(parent), ledger_(ledger), bets_(bets), port_(port), date_(date), course_(course) {
  setObjectName("WIN5");
  setWindowTitle("WIN5");

  auto* top = new QVBoxLayout(this);
  dayLabel_ = new QLabel(this);
  dayLabel_->setObjectName("DayLabel");
  dayLabel_->setText(QStringLiteral("%1年%2月%3日").arg(date.year).arg(date.month).arg(date.day));
  QFont big = dayLabel_->font();
  big.setBold(true);
  dayLabel_->setFont(big);
  top->addWidget(dayLabel_);
  top->addWidget(buildLegs());

  auto* middle = new QHBoxLayout;
  middle->addWidget(buildHorses(), 0, Qt::AlignTop);
  middle->addWidget(buildLines(), 1);
  top->addLayout(middle);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(buildResult(), 1);
  auto* close = entryButton("CloseBtn", "閉じる", this);
  bottom->addWidget(close, 0, Qt::AlignBottom);
  top->addLayout(bottom);

  figuresLabel_ = new QLabel(this);
  figuresLabel_->setObjectName("Win5FiguresLabel");
  figuresLabel_->setFont(figureFont());
  top->addWidget(figuresLabel_);

  connect(close, &QPushButton::clicked, this, &Win5Dialog::accept);
  reload(true);
  setFixedSize(sizeHint());
}

Win5Dialog::~Win5Dialog() = default;

QWidget* Win5Dialog::buildLegs() {
  auto* g = new QGroupBox("対象ﾚｰｽ", this);
  g->setObjectName("Win5LegsGroup");
  auto* row = new QHBoxLayout(g);
  QStringList courses, races;
  for (int c = 0; c < kCourseCount; ++c) courses << QString::fromUtf8(keibajo(c).name);
  for (int r = 1; r <= 12; ++r) races << QStringLiteral("%1R").arg(r);
  const int start = std::clamp(course_, 0, kCourseCount - 1);
  for (int i = 0; i < kWin5Legs; ++i) {
    auto* cap = new QLabel(legCaption(i), g);
    auto* cb = new QComboBox(g);
    cb->setObjectName(QStringLiteral("Win5CourseBox%1").arg(i + 1));
    cb->addItems(courses);
    cb->setCurrentIndex(start);
    auto* rb = new QComboBox(g);
    rb->setObjectName(QStringLiteral("Win5RaceBox%1").arg(i + 1));
    rb->addItems(races);
    rb->setCurrentIndex(7 + i);  // 8R-12R
    courseBoxes_[std::size_t(i)] = cb;
    raceBoxes_[std::size_t(i)] = rb;
    row->addWidget(cap);
    row->addWidget(cb);
    row->addWidget(rb);
    row->addSpacing(6);
  }
  auto* set = entryButton("Win5LegsBtn", "設定", g);
  row->addWidget(set);
  connect(set, &QPushButton::clicked, this, &Win5Dialog::setLegs);
  return g;
}

QWidget* Win5Dialog::buildHorses() {
  auto* box = new QWidget(this);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(4);
  const QStringList numbers = numberItems(kMaxHorse, true);
  for (int leg = 0; leg < kWin5Legs; ++leg) {
    auto* g = new QGroupBox(legCaption(leg), box);
    g->setObjectName(QStringLiteral("Win5LegGroup%1").arg(leg + 1));
    auto* grid = new QGridLayout(g);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(1);
    for (int h = 0; h < kMaxHorse; ++h) {
      auto* b = new QToolButton(g);
      b->setObjectName(QStringLiteral("Win5Horse%1_%2").arg(leg + 1).arg(h + 1));
      b->setText(numbers[h]);
      b->setCheckable(true);
      b->setFont(figureFont());
      b->setFixedSize(30, 22);
      // A picked horse stands out from the others at a glance.
      b->setStyleSheet("QToolButton:checked { background: #1f4e9c; color: white; border: 1px solid #10284f; }");
      grid->addWidget(b, h % 9, h / 9);
      horses_[std::size_t(leg)].push_back(b);
      connect(b, &QToolButton::toggled, this, &Win5Dialog::refreshCount);
    }
    legGroups_[std::size_t(leg)] = g;
    row->addWidget(g, 0, Qt::AlignTop);
  }
  return box;
}

QWidget* Win5Dialog::buildLines() {
  auto* box = new QWidget(this);
  auto* col = new QVBoxLayout(box);
  col->setContentsMargins(0, 0, 0, 0);
  tenLabel_ = new QLabel(box);
  tenLabel_->setObjectName("Win5TenLabel");
  tenLabel_->setFont(figureFont());
  col->addWidget(tenLabel_);
  auto* amount = new QHBoxLayout;
  stakeEdit_ = amountEdit("Win5GakuEdit", port_, box);
  amount->addLayout(amountRow(stakeEdit_, "00円", box));
  amount->addStretch();
  auto* add = entryButton("Win5TsuikaBtn", "追加", box);
  auto* del = entryButton("Win5SakujyoBtn", "削除", box);
  amount->addWidget(add);
  amount->addWidget(del);
  col->addLayout(amount);
  list_ = lineList("Win5ListBox", 34, 8, box);
  col->addWidget(list_, 1);
  connect(stakeEdit_, &QLineEdit::textChanged, this, &Win5Dialog::refreshCount);
  connect(add, &QPushButton::clicked, this, &Win5Dialog::addLine);
  connect(del, &QPushButton::clicked, this, &Win5Dialog::deleteLine);
  return box;
}

QWidget* Win5Dialog::buildResult() {
  auto* g = new QGroupBox("結果", this);
  g->setObjectName("Win5ResultGroup");
  auto* grid = new QGridLayout(g);
  grid->addWidget(new QLabel("1着 (同着は 3,4)", g), 0, 1);
  grid->addWidget(new QLabel("返還 (取消・除外)", g), 0, 2);
  for (int i = 0; i < kWin5Legs; ++i) {
    grid->addWidget(new QLabel(legCaption(i), g), i + 1, 0);
    auto* w = new QLineEdit(g);
    w->setObjectName(QStringLiteral("Win5WinnerEdit%1").arg(i + 1));
    w->setMaxLength(8);
    w->setFixedWidth(90);
    auto* s = new QLineEdit(g);
    s->setObjectName(QStringLiteral("Win5ScratchEdit%1").arg(i + 1));
    s->setMaxLength(54);
    s->setFixedWidth(170);
    winnerEdits_[std::size_t(i)] = w;
    scratchEdits_[std::size_t(i)] = s;
    grid->addWidget(w, i + 1, 1);
    grid->addWidget(s, i + 1, 2);
  }
  auto* side = new QVBoxLayout;
  auto* payCaption = new QLabel("払戻金 (100円あたり)", g);
  side->addWidget(payCaption);
  payoutEdit_ = amountEdit("Win5HaitouEdit", port_, g);
  side->addLayout(amountRow(payoutEdit_, "0円", g));
  cancelCheck_ = new QCheckBox("不成立 (全額返還)", g);
  cancelCheck_->setObjectName("Win5CancelCheck");
  side->addWidget(cancelCheck_);
  side->addWidget(new QLabel("ｷｬﾘｰｵｰﾊﾞｰ ﾒﾓ", g));
  noteEdit_ = new QLineEdit(g);
  noteEdit_->setObjectName("Win5NoteEdit");
  noteEdit_->setMaxLength(200);
  noteEdit_->setMinimumWidth(260);
  side->addWidget(noteEdit_);
  auto* save = entryButton("Win5KekaBtn", "結果登録", g);
  side->addWidget(save, 0, Qt::AlignRight);
  side->addStretch();
  grid->addItem(new QSpacerItem(12, 1), 0, 3);
  grid->addLayout(side, 0, 4, kWin5Legs + 1, 1);
  grid->setColumnStretch(4, 1);
  connect(save, &QPushButton::clicked, this, &Win5Dialog::saveResult);
  return g;
}

void Win5Dialog::reload(bool clearToggles) {
  const Result<std::optional<StoredWin5Day>> read = Win5Store(bets_).day(date_);
  day_.reset();
  if (shownUnlessDone(port_, read)) day_ = *read;

  runners_ = {};
  if (day_) {
    runners_ = win5Runners(ledger_, date_, day_->legs);
    for (std::size_t i = 0; i < kWin5Legs; ++i) {
      const Win5Leg& l = day_->legs[i];
      courseBoxes_[i]->setCurrentIndex(l.course);
      raceBoxes_[i]->setCurrentIndex(l.race - 1);
    }
  }
  for (std::size_t i = 0; i < kWin5Legs; ++i) {
    legGroups_[i]->setTitle(day_ ? QString::fromStdString(win5LegText(day_->legs[i])) : legCaption(int(i)));
    legGroups_[i]->setEnabled(bool(day_));
  }
  if (clearToggles)
    for (auto& leg : horses_)
      for (QToolButton* b : leg) b->setChecked(false);
  applyRunners();

  std::vector<std::string> lines;
  if (day_)
    for (const StoredWin5Line& l : day_->lines) lines.push_back(win5ListLine(l));
  setLines(list_, lines);

  const Win5ResultEntry entry = day_ ? win5ResultEntryOf(*day_) : Win5ResultEntry{};
  for (std::size_t i = 0; i < kWin5Legs; ++i) {
    winnerEdits_[i]->setText(QString::fromStdString(entry.winners[i]));
    scratchEdits_[i]->setText(QString::fromStdString(entry.scratched[i]));
  }
  payoutEdit_->setText(QString::fromStdString(entry.payoutUnits));
  shownWinners_ = entry.winners;
  shownPayout_ = entry.payoutUnits;
  cancelCheck_->setChecked(day_ && day_->cancelled);
  noteEdit_->setText(day_ ? QString::fromStdString(day_->note) : QString());
  figuresLabel_->setText(day_ ? QString::fromStdString(win5FiguresText(settleWin5Day(*day_).settlement.figures))
                              : QString());
  refreshCount();
}

// Only the race's runners may be picked when its card is in the ledger.
void Win5Dialog::applyRunners() {
  for (std::size_t leg = 0; leg < kWin5Legs; ++leg) {
    const Horses& r = runners_[leg];
    for (int h = 1; h <= kMaxHorse; ++h) {
      QToolButton* b = horses_[leg][std::size_t(h - 1)];
      const bool runs = r.empty() || std::find(r.begin(), r.end(), h) != r.end();
      if (!runs) b->setChecked(false);
      b->setEnabled(runs);
    }
  }
}

Win5Line Win5Dialog::pickedLine() const {
  Win5Line line;
  for (std::size_t leg = 0; leg < kWin5Legs; ++leg)
    for (int h = 1; h <= kMaxHorse; ++h)
      if (horses_[leg][std::size_t(h - 1)]->isChecked()) line.legs[leg].push_back(h);
  bool ok = false;
  const qlonglong typed = stakeEdit_->text().toLongLong(&ok);
  // Beyond the limit stays beyond it, so that the rules refuse it.
  line.stake = ok ? int(std::min<qlonglong>(typed, kWin5MaxStake + 1)) : 0;
  return line;
}

void Win5Dialog::refreshCount() {
  const Win5Line line = pickedLine();
  tenLabel_->setText(QString::fromStdString(pointsCostText(int(win5Points(line)), line.stake)));
}

bool Win5Dialog::done(const Status& s) { return shownUnlessDone(port_, s); }

void Win5Dialog::setLegs() {
  std::array<Win5Leg, kWin5Legs> legs;
  for (std::size_t i = 0; i < kWin5Legs; ++i)
    legs[i] = Win5Leg{courseBoxes_[i]->currentIndex(), raceBoxes_[i]->currentIndex() + 1};
  Win5Store store(bets_);
  if (!done(setWin5Legs(store, date_, legs))) return;
  // Other races may have other runners: the picks start again.
  reload(true);
}

void Win5Dialog::addLine() {
  // The races come first: without them there is nothing to pick from.
  if (!day_) {
    showRefusal(port_, Refusal{MsgIcon::Error, msg::kWin5NoDay});
    return;
  }
  Win5Store store(bets_);
  if (!shownUnlessDone(port_, buyWin5Line(store, date_, pickedLine(), runners_))) return;
  reload(false);
}

void Win5Dialog::deleteLine() {
  const int n = selectedLine(list_);
  if (n < 0) {
    port_.beep();
    return;
  }
  Win5Store store(bets_);
  if (!done(deleteWin5Line(store, date_, n + 1))) return;
  reload(false);
}

void Win5Dialog::saveResult() {
  std::array<std::string, kWin5Legs> winners, scratched;
  for (std::size_t i = 0; i < kWin5Legs; ++i) {
    winners[i] = winnerEdits_[i]->text().toStdString();
    scratched[i] = scratchEdits_[i]->text().toStdString();
  }
  // Everything typed is read first, so that a refusal leaves the store as it was.
  const Result<std::vector<Win5Winner>> result = win5WinnersOfEntry(winners, payoutEdit_->text().toStdString());
  if (!shownUnlessDone(port_, result)) return;
  const Result<std::array<Horses, kWin5Legs>> scratches = win5ScratchesOfEntry(scratched);
  if (!shownUnlessDone(port_, scratches)) return;
  Win5Store store(bets_);
  // The note first: it refuses a day without WIN5 and a note too long before any change.
  if (!done(setWin5Note(store, date_, noteEdit_->text().toStdString()))) return;
  const bool resultTyped = winners != shownWinners_ || payoutEdit_->text().toStdString() != shownPayout_;
  bool ok = !resultTyped || done(setWin5Result(store, date_, *result));
  for (std::size_t i = 0; i < kWin5Legs && ok; ++i) ok = done(setWin5Scratch(store, date_, int(i) + 1, (*scratches)[i]));
  if (ok) done(setWin5Cancelled(store, date_, cancelCheck_->isChecked()));
  reload(false);
}

}  // namespace tovra
