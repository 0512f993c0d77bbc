#include "ui/entry/PurchaseDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "features/bets/race_bets.hpp"
#include "features/entry/race_entry.hpp"
#include "storage/bet_store.hpp"
#include "ui/entry/NewBetPage.h"
#include "ui/entry/RaceDialogs.h"
#include "ui/entry/WinPlacePage.h"
#include "ui/widgets/AmountKeypad.h"
#include "ui/widgets/EntryWidgets.h"
#include "ui/widgets/RadioGroupBox.h"

namespace tovra {

namespace {

QStringList methodItems() {
  return {QString::fromUtf8(inputMethodName(InputMethod::Tsujo)),
          QString::fromUtf8(inputMethodName(InputMethod::Nagashi)),
          QString::fromUtf8(inputMethodName(InputMethod::Box))};
}

}  // namespace

PurchaseDialog::PurchaseDialog(DataStore& store, BetStore& bets, UserPort& port, const DayKey& key,
                               const MeetingDay& day, int race, QWidget* parent)
    : QDialog(parent), store_(store), bets_(bets), port_(port), key_(key), day_(day), race_(race) {
  setObjectName("KounyuDialog");
  setWindowTitle("ﾚｰｽﾃﾞｰﾀ ： 購入馬券登録");
  // The other races' share of the day's totals stays as it is while the dialog is open.
  book_ = std::make_unique<PurchaseBook>(day_.races[std::size_t(race_)], otherRacesMoney(day_.meeting, race_));

  const KeypadFrame frame = keypadFrame(this, port_, [this](QTabWidget* pages) {
    pages->addTab(buildTanPage(), "単勝・複勝");
    pairs_[0].type = BetType::Waku;
    pairs_[1].type = BetType::Wide;
    pairs_[2].type = BetType::Uma;
    pages->addTab(buildPairPage(pairs_[0], "Waku", "BouLabel", "WakuSakujyoBtn"), "枠連");
    pages->addTab(buildPairPage(pairs_[1], "Wide", "BouLabel2", "WideSakujyoBtn"), "ﾜｲﾄﾞ");
    pages->addTab(buildPairPage(pairs_[2], "Uma", "BouLabel3", "UmaSakujyoBtn"), "馬連");
    for (NewBetType t : {NewBetType::Umatan, NewBetType::Sanrenpuku, NewBetType::Sanrentan}) {
      auto* p = new NewBetPage(t, port_);
      newPages_[std::size_t(t)] = p;
      connect(p->addButton(), &QPushButton::clicked, this, [this, p] { addNewLine(*p); });
      connect(p->deleteButton(), &QPushButton::clicked, this, [this, p] { removeNewLine(*p); });
      pages->addTab(p, QString::fromUtf8(newBetTypeName(t)));
    }
  });
  dayLabel_ = frame.dayLabel;
  page_ = frame.pages;
  keypad_ = frame.keypad;
  connect(frame.touroku, &QPushButton::clicked, this, &PurchaseDialog::registerTickets);
  connect(frame.cancel, &QPushButton::clicked, this, &PurchaseDialog::reject);
  connect(page_, &QTabWidget::currentChanged, this, &PurchaseDialog::pointKeypadAtPage);

  // The store's lines of the race; a store that cannot be read leaves the new pages empty
  // and refusing, the old ones as they are.
  const Result<StoredRace> stored = bets_.race(raceKeyOf(key_, day_.meeting, race_));
  if (stored)
    pending_ = std::make_unique<PendingLines>(stored->lines);
  else {
    pending_ = std::make_unique<PendingLines>(std::vector<StoredLine>{});
    storeRefusal_ = stored.refused() ? stored.refusal() : Refusal{MsgIcon::Error, stored.failure().path};
  }

  resetPages();
  setFixedSize(sizeHint());
}

PurchaseDialog::~PurchaseDialog() = default;

QWidget* PurchaseDialog::buildTanPage() {
  tanPage_ = new WinPlacePage(WinPlacePage::Use::Purchase, port_);
  connect(tanPage_->addButton(), &QPushButton::clicked, this, &PurchaseDialog::addWinPlaceTicket);
  connect(tanPage_->deleteButton(), &QPushButton::clicked, this, &PurchaseDialog::removeWinPlaceTicket);
  return tanPage_;
}

QWidget* PurchaseDialog::buildPairPage(PairPage& p, const QString& prefix, const QString& bouName,
                                       const QString& deleteName) {
  const bool waku = p.type == BetType::Waku;
  const int n = maxPick(p.type);
  auto* tab = new QWidget;
  tab->setObjectName(QStringLiteral("Tab%1").arg(p.type == BetType::Waku ? 2 : p.type == BetType::Wide ? 3 : 4));
  auto* grid = new QGridLayout(tab);
  const QString unit = waku ? "枠番" : "馬番";
  p.group1 = new RadioGroupBox(prefix + "Group1", unit, numberItems(n, !waku), waku ? 1 : 2, tab);
  p.group2 = new RadioGroupBox(prefix + "Group2", unit, numberItems(n, !waku), waku ? 1 : 2, tab);
  p.bouLabel = new QLabel("－", tab);
  p.bouLabel->setObjectName(bouName);
  p.group3 = new QGroupBox(tab);
  p.group3->setObjectName(prefix + "Group3");
  auto* checkGrid = new QGridLayout(p.group3);
  checkGrid->setContentsMargins(8, 4, 8, 4);
  checkGrid->setVerticalSpacing(1);
  const int rows = waku ? 8 : 9;
  for (int i = 0; i < n; ++i) {
    auto* c = new QCheckBox(numberItems(n, !waku)[i], p.group3);
    c->setObjectName(QStringLiteral("%1Check%2").arg(prefix).arg(i + 1));
    checkGrid->addWidget(c, i % rows, i / rows);
    p.checks.push_back(c);
  }
  auto* picks = new QHBoxLayout;
  picks->addWidget(p.group1, 0, Qt::AlignTop);
  picks->addWidget(p.bouLabel);
  picks->addWidget(p.group2, 0, Qt::AlignTop);
  picks->addSpacing(6);
  picks->addWidget(p.group3, 0, Qt::AlignTop);
  grid->addLayout(picks, 0, 0, 2, 1, Qt::AlignTop | Qt::AlignLeft);

  p.listBox = lineList(prefix + "ListBox", 20, waku ? 12 : 14, tab);
  p.atoLabel = new QLabel(tab);
  p.atoLabel->setObjectName(prefix + "AtoLabel");
  grid->addWidget(p.atoLabel, 0, 1, Qt::AlignRight);
  grid->addWidget(p.listBox, 1, 1);

  auto* bottom = new QHBoxLayout;
  p.nyuGroup = new RadioGroupBox(prefix + "NyuGroup", "入力方法", methodItems(), 3, tab);
  bottom->addWidget(p.nyuGroup);
  bottom->addSpacing(8);
  p.gakuEdit = amountEdit(prefix + "GakuEdit", port_, tab);
  bottom->addLayout(amountRow(p.gakuEdit, "00円", tab));
  bottom->addStretch();
  auto* add = entryButton(prefix + "TsuikaBtn", "追加", tab);
  auto* del = entryButton(deleteName, "削除", tab);
  bottom->addWidget(add);
  bottom->addWidget(del);
  grid->addLayout(bottom, 2, 0, 1, 2);

  connect(p.nyuGroup, &RadioGroupBox::itemChanged, this, [this, &p](int m) { applyInputMethod(p, m); });
  connect(add, &QPushButton::clicked, this, [this, &p] { addPairTickets(p); });
  connect(del, &QPushButton::clicked, this, [this, &p] { removePairTicket(p); });
  return tab;
}

void PurchaseDialog::resetPages() {
  dayLabel_->setText(QString::fromStdString(entryDayLabel(day_.meeting, key_.course, race_)));
  tanPage_->reset();
  refreshList(BetType::Tan);
  refreshList(BetType::Fuku);
  for (PairPage& p : pairs_) {
    p.gakuEdit->clear();
    p.group1->setItemIndex(0);
    p.group2->setItemIndex(p.type == BetType::Waku ? 0 : 1);
    p.nyuGroup->setItemIndex(0);
    applyInputMethod(p, 0);
    refreshList(p.type);
  }
  for (NewBetPage* p : newPages_) {
    p->reset();
    refreshNewList(*p);
  }
  page_->setCurrentIndex(0);
  pointKeypadAtPage(0);
  refreshAtoLabels();
}

QListWidget* PurchaseDialog::listOf(BetType t) const {
  switch (t) {
    case BetType::Tan:
    case BetType::Fuku: return tanPage_->list(t);
    case BetType::Waku: return pairs_[0].listBox;
    case BetType::Wide: return pairs_[1].listBox;
    case BetType::Uma: return pairs_[2].listBox;
  }
  return tanPage_->list(BetType::Tan);
}

void PurchaseDialog::refreshList(BetType t) { setLines(listOf(t), book_->lines(t)); }

void PurchaseDialog::refreshAtoLabels() {
  for (BetType t : {BetType::Tan, BetType::Fuku}) tanPage_->setRemaining(t, book_->remainingLabel(t));
  for (PairPage& p : pairs_) p.atoLabel->setText(QString::fromStdString(book_->remainingLabel(p.type)));
}

void PurchaseDialog::pointKeypadAtPage(int index) {
  QLineEdit* fields[] = {tanPage_->amountField(),    pairs_[0].gakuEdit,          pairs_[1].gakuEdit,
                         pairs_[2].gakuEdit,         newPages_[0]->amountField(), newPages_[1]->amountField(),
                         newPages_[2]->amountField()};
  keypad_->setTarget(fields[index < 0 || index > 6 ? 0 : index]);
}

void PurchaseDialog::addWinPlaceTicket() {
  const BetType t = tanPage_->type();
  const AddOutcome out = book_->addSingle(t, tanPage_->number(), tanPage_->amountText());
  showMessages(port_, out);
  if (out.added > 0) refreshList(t);
  refreshAtoLabels();
}

void PurchaseDialog::removeWinPlaceTicket() {
  const BetType t = tanPage_->type();
  if (changed(port_, book_->remove(t, selectedLine(listOf(t))))) refreshList(t);
  refreshAtoLabels();
}

void PurchaseDialog::applyInputMethod(PairPage& p, int method) {
  const PairLayout l = pairLayout(p.type, static_cast<InputMethod>(method));
  p.group1->setTitle(QString::fromStdString(l.group1Caption));
  p.group1->setEnabled(l.group1Enabled);
  p.group2->setTitle(QString::fromStdString(l.group2Caption));
  p.group2->setEnabled(l.group2Enabled);
  p.group3->setTitle(QString::fromStdString(l.checkCaption));
  p.group3->setEnabled(l.checksEnabled);
  for (QCheckBox* c : p.checks) c->setChecked(false);
  p.bouLabel->setEnabled(l.dashEnabled);
}

void PurchaseDialog::addPairTickets(PairPage& p) {
  PairPick pick;
  pick.method = static_cast<InputMethod>(std::max(0, p.nyuGroup->itemIndex()));
  pick.first = p.group1->itemIndex() + 1;
  pick.second = p.group2->itemIndex() + 1;
  for (std::size_t i = 0; i < p.checks.size(); ++i)
    if (p.checks[i]->isChecked()) pick.ticked.push_back(int(i) + 1);
  const AddOutcome out = book_->addPairs(p.type, pick, p.gakuEdit->text().toStdString());
  showMessages(port_, out);
  if (out.added > 0) refreshList(p.type);
  refreshAtoLabels();
}

void PurchaseDialog::removePairTicket(PairPage& p) {
  if (changed(port_, book_->remove(p.type, selectedLine(p.listBox)))) refreshList(p.type);
  refreshAtoLabels();
}

bool PurchaseDialog::newTypesUsable() {
  if (storeRefusal_) showRefusal(port_, *storeRefusal_);
  return !storeRefusal_;
}

void PurchaseDialog::refreshNewList(NewBetPage& page) { page.setLines(pending_->texts(page.type())); }

void PurchaseDialog::addNewLine(NewBetPage& page) {
  if (!newTypesUsable()) return;
  const Result<int> added = pending_->add(page.line(), day_.races[std::size_t(race_)]);
  if (added.refused()) showRefusal(port_, added.refusal());
  if (added) refreshNewList(page);
}

void PurchaseDialog::removeNewLine(NewBetPage& page) {
  if (!newTypesUsable()) return;
  if (changed(port_, pending_->remove(page.type(), selectedLine(page.list())))) refreshNewList(page);
}

void PurchaseDialog::registerTickets() {
  auto written = takeOutcome(store_, port_, commitRace(store_.ledger(), key_, day_, race_));
  if (!written) return;
  day_ = std::move(*written);
  // The course files are written by now; a store step refused here is shown and the dialog
  // closes all the same (the lines applied before it stay in the store).
  if (pending_->changed()) {
    const Status applied = pending_->apply(bets_, raceKeyOf(key_, day_.meeting, race_), day_.races[std::size_t(race_)]);
    if (applied.refused()) showRefusal(port_, applied.refusal());
    if (applied.failed()) showRefusal(port_, Refusal{MsgIcon::Error, applied.failure().path});
  }
  accept();
}

}  // namespace tovra
