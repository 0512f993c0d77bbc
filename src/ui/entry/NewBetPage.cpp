#include "ui/entry/NewBetPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "features/bets/bet_text.hpp"
#include "storage/user_port.hpp"
#include "ui/widgets/EntryWidgets.h"
#include "ui/widgets/RadioGroupBox.h"

namespace tovra {

namespace {

constexpr BetMethod kMethods[] = {BetMethod::Normal, BetMethod::Box, BetMethod::Nagashi, BetMethod::Formation};

QStringList methodItems() {
  QStringList l;
  for (BetMethod m : kMethods) l << QString::fromUtf8(betMethodName(m));
  return l;
}

// The axis places offered: one horse at 1着, 2着 (and 3着); two horses of 3連単 at two
// places, the first ticked at the first place named.
struct PlaceItem {
  const char* caption;
  std::array<int, 2> places;
  bool pair;
};
constexpr PlaceItem kPlaces[] = {{"1着", {1, 2}, false},   {"2着", {2, 1}, false},   {"3着", {3, 1}, false},
                                 {"1・2着", {1, 2}, true}, {"1・3着", {1, 3}, true}, {"2・3着", {2, 3}, true}};

int placeItemCount(NewBetType t) { return t == NewBetType::Umatan ? 2 : 6; }

// Column captions of 通常 and ﾌｫｰﾒｰｼｮﾝ: places for the ordered types, horses for 3連複.
QString placeCaption(NewBetType t, int column) {
  return isOrdered(t) ? QStringLiteral("%1着").arg(column + 1) : QStringLiteral("%1頭目").arg(column + 1);
}

}  // namespace

QString NewBetPage::prefix(NewBetType type) {
  switch (type) {
    case NewBetType::Umatan: return "Umatan";
    case NewBetType::Sanrenpuku: return "Sanrenpuku";
    case NewBetType::Sanrentan: return "Sanrentan";
  }
  return "Umatan";
}

NewBetPage::NewBetPage(NewBetType type, UserPort& port) : type_(type), port_(port) {
  const QString p = prefix(type);
  setObjectName(QStringLiteral("Tab%1").arg(5 + static_cast<int>(type)));
  auto* grid = new QGridLayout(this);

  // Made in the order Tab runs through them: method, columns, axis place, amount, buttons, list.
  nyuGroup_ = new RadioGroupBox(p + "NyuGroup", "入力方法", methodItems(), 2, this);

  auto* picks = new QHBoxLayout;
  picks->setSpacing(4);
  for (int c = 0; c < columns(); ++c) {
    auto* g = new QGroupBox(this);
    g->setObjectName(QStringLiteral("%1Group%2").arg(p).arg(c + 1));
    auto* cg = new QGridLayout(g);
    cg->setContentsMargins(6, 4, 6, 4);
    cg->setHorizontalSpacing(6);
    cg->setVerticalSpacing(1);
    const QStringList numbers = numberItems(kMaxHorse, true);
    for (int i = 0; i < kMaxHorse; ++i) {
      auto* box = new QCheckBox(numbers[i], g);
      box->setObjectName(QStringLiteral("%1Check%2_%3").arg(p).arg(c + 1).arg(i + 1));
      box->installEventFilter(this);
      cg->addWidget(box, i % 9, i / 9);
      checks_[std::size_t(c)].push_back(box);
      connect(box, &QCheckBox::toggled, this, [this, c, i](bool on) { ticked(c, i + 1, on); });
    }
    groups_[std::size_t(c)] = g;
    picks->addWidget(g, 0, Qt::AlignTop);
  }

  auto* right = new QVBoxLayout;
  right->setSpacing(2);
  if (isOrdered(type)) {
    QStringList items;
    for (int i = 0; i < placeItemCount(type); ++i) items << kPlaces[i].caption;
    placeGroup_ = new RadioGroupBox(p + "PlaceGroup", "軸の着順", items, 2, this);
    multiCheck_ = new QCheckBox("ﾏﾙﾁ", this);
    multiCheck_->setObjectName(p + "MultiCheck");
    right->addWidget(placeGroup_, 0, Qt::AlignLeft);
    right->addWidget(multiCheck_);
    connect(placeGroup_, &RadioGroupBox::itemChanged, this, &NewBetPage::refreshCount);
    connect(multiCheck_, &QCheckBox::toggled, this, [this](bool on) {
      placeGroup_->setEnabled(!on && method() == BetMethod::Nagashi);
      refreshCount();
    });
  }

  amountEdit_ = amountEdit(p + "GakuEdit", port_, this);
  addBtn_ = entryButton(p + "TsuikaBtn", "追加", this);
  deleteBtn_ = entryButton(p + "SakujyoBtn", "削除", this);
  tenLabel_ = new QLabel(this);
  tenLabel_->setObjectName(p + "TenLabel");
  kumiLabel_ = new QLabel(this);
  kumiLabel_->setObjectName(p + "KumiLabel");
  list_ = lineList(p + "ListBox", 26, 4, this);
  // Long sets wrap at their spaces rather than run out of sight.
  list_->setWordWrap(true);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // As tall as the page leaves it, at least four lines.
  list_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);

  right->addWidget(tenLabel_);
  right->addWidget(kumiLabel_);
  right->addWidget(list_, 1);

  grid->addLayout(picks, 0, 0, Qt::AlignTop | Qt::AlignLeft);
  grid->addLayout(right, 0, 1);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(nyuGroup_);
  bottom->addSpacing(8);
  bottom->addLayout(amountRow(amountEdit_, "00円", this));
  bottom->addStretch();
  bottom->addWidget(addBtn_);
  bottom->addWidget(deleteBtn_);
  grid->addLayout(bottom, 1, 0, 1, 2);
  grid->setRowStretch(2, 1);

  connect(nyuGroup_, &RadioGroupBox::itemChanged, this, [this] { applyMethod(); });
  connect(amountEdit_, &QLineEdit::textChanged, this, &NewBetPage::refreshCount);
}

void NewBetPage::reset() {
  amountEdit_->clear();
  nyuGroup_->setItemIndex(0);
  if (placeGroup_) placeGroup_->setItemIndex(0);
  if (multiCheck_) multiCheck_->setChecked(false);
  applyMethod();
}

BetMethod NewBetPage::method() const {
  const int i = nyuGroup_->itemIndex();
  return i >= 0 && i < 4 ? kMethods[i] : BetMethod::Normal;
}

// The columns each method uses, with their captions; changing the method clears the ticks.
void NewBetPage::applyMethod() {
  const BetMethod m = method();
  applying_ = true;
  for (int c = 0; c < columns(); ++c) {
    QString caption;
    bool used = true;
    switch (m) {
      case BetMethod::Normal:
      case BetMethod::Formation: caption = placeCaption(type_, c); break;
      case BetMethod::Box:
        caption = c == 0 ? "馬番" : "";
        used = c == 0;
        break;
      case BetMethod::Nagashi:
        caption = c == 0 ? "軸" : c == 1 ? "相手" : "";
        used = c < 2;
        break;
    }
    groups_[std::size_t(c)]->setTitle(caption);
    groups_[std::size_t(c)]->setEnabled(used);
    for (QCheckBox* b : checks_[std::size_t(c)]) b->setChecked(false);
  }
  applying_ = false;
  axisOrder_.clear();
  typed_ = 0;
  if (multiCheck_) {
    multiCheck_->setEnabled(m == BetMethod::Nagashi);
    placeGroup_->setEnabled(m == BetMethod::Nagashi && !multiCheck_->isChecked());
  }
  refreshCount();
}

void NewBetPage::ticked(int column, int horse, bool on) {
  if (applying_) return;
  if (column == 0) {
    std::erase(axisOrder_, horse);
    if (on) axisOrder_.push_back(horse);
  }
  // 通常 takes one horse a column: ticking another moves the pick.
  if (on && method() == BetMethod::Normal) {
    applying_ = true;
    for (QCheckBox* b : checks_[std::size_t(column)])
      if (b != checks_[std::size_t(column)][std::size_t(horse - 1)]) b->setChecked(false);
    applying_ = false;
    if (column == 0) axisOrder_ = {horse};
  }
  refreshCount();
}

PurchaseLine NewBetPage::line() const {
  std::array<Horses, 3> ticks;
  for (int c = 0; c < columns(); ++c)
    for (int i = 0; i < kMaxHorse; ++i)
      if (checks_[std::size_t(c)][std::size_t(i)]->isChecked()) ticks[std::size_t(c)].push_back(i + 1);
  bool ok = false;
  const qlonglong typed = amountEdit_->text().toLongLong(&ok);
  // Beyond the limit stays beyond it, so that the rules refuse it.
  const int stake = ok ? int(std::min<qlonglong>(typed, kMaxPointStake + 1)) : 0;
  switch (method()) {
    case BetMethod::Normal: {
      Horses combo;
      for (const Horses& t : ticks) combo.insert(combo.end(), t.begin(), t.end());
      return PurchaseLine::normal(type_, combo, stake);
    }
    case BetMethod::Box: return PurchaseLine::box(type_, ticks[0], stake);
    case BetMethod::Formation: return PurchaseLine::formation(type_, ticks[0], ticks[1], ticks[2], stake);
    case BetMethod::Nagashi: break;
  }
  const bool multi = multiCheck_ && multiCheck_->isChecked();
  std::array<int, 2> places{1, 2};
  if (placeGroup_ && !multi) {
    const PlaceItem& item = kPlaces[std::max(0, placeGroup_->itemIndex())];
    places = item.places;
    // A place item that does not fit the number of axis horses leaves places the rules refuse.
    if (item.pair != (axisOrder_.size() == 2))
      places = axisOrder_.size() == 2 ? std::array<int, 2>{1, 1} : std::array<int, 2>{0, 0};
  }
  return PurchaseLine::nagashi(type_, axisOrder_, ticks[1], multi, stake, places);
}

void NewBetPage::setLines(const std::vector<std::string>& lines) {
  tovra::setLines(list_, lines);
  for (int i = 0; i < list_->count(); ++i) list_->item(i)->setToolTip(list_->item(i)->text());
}

// The points of the line picked so far (none while the rules do not take it) and their cost.
void NewBetPage::refreshCount() {
  PurchaseLine probe = line();
  const int stake = probe.stake;
  probe.stake = 1;
  const Result<int> points = checkLine(probe);
  tenLabel_->setText(QString::fromStdString(pointsCostText(points ? *points : 0, stake)));
  kumiLabel_->setText(points ? QString::fromStdString(setsText(probe)) : QString());
}

bool NewBetPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  int column = -1;
  for (int c = 0; c < columns() && column < 0; ++c)
    if (std::find(checks_[std::size_t(c)].begin(), checks_[std::size_t(c)].end(), watched) !=
        checks_[std::size_t(c)].end())
      column = c;
  if (column < 0) return QWidget::eventFilter(watched, event);
  if (key->key() < Qt::Key_0 || key->key() > Qt::Key_9 || (key->modifiers() & ~Qt::KeypadModifier)) {
    typed_ = 0;  // Space ticks the horse typed; the next digits start a new number
    return QWidget::eventFilter(watched, event);
  }
  const int digit = key->key() - Qt::Key_0;
  const int longer = typed_ * 10 + digit;
  typed_ = column == typedColumn_ && typed_ > 0 && longer <= kMaxHorse ? longer : digit;
  typedColumn_ = column;
  if (typed_ < 1) {
    port_.beep();
    return true;
  }
  checks_[std::size_t(column)][std::size_t(typed_ - 1)]->setFocus(Qt::OtherFocusReason);
  return true;
}

}  // namespace tovra
