#include "ui/entry/ResultDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <QEvent>
#include <algorithm>

#include "features/bets/race_bets.hpp"
#include "features/entry/entry_messages.hpp"
#include "features/entry/race_entry.hpp"
#include "storage/bet_store.hpp"
#include "storage/user_port.hpp"
#include "ui/entry/NewResultPage.h"
#include "ui/entry/RaceDialogs.h"
#include "ui/entry/ScratchPage.h"
#include "ui/entry/WinPlacePage.h"
#include "ui/widgets/AmountKeypad.h"
#include "ui/widgets/EntryWidgets.h"
#include "ui/widgets/RadioGroupBox.h"

namespace tovra {

namespace {

// The two number groups of a pair with the dash between them.
QHBoxLayout* pickPair(QWidget* first, QWidget* second, QWidget* parent) {
  auto* picks = new QHBoxLayout;
  picks->addWidget(first);
  picks->addWidget(new QLabel("－", parent));
  picks->addWidget(second);
  return picks;
}

constexpr NewBetType kNewTypes[] = {NewBetType::Umatan, NewBetType::Sanrenpuku, NewBetType::Sanrentan};

// An amount field's text (digits, at most eight) in 10-yen units as yen.
std::int64_t payoutYen(const std::string& text) { return text.empty() ? 0 : std::stoll(text) * 10; }

}  // namespace

ResultDialog::ResultDialog(DataStore& store, BetStore& bets, UserPort& port, const DayKey& key, const MeetingDay& day,
                           int race, QWidget* parent)
    : QDialog(parent), store_(store), bets_(bets), port_(port), key_(key), day_(day), race_(race) {
  setObjectName("RaceKekaDialog");
  setWindowTitle("ﾚｰｽﾃﾞｰﾀ ： ﾚｰｽ結果登録");
  // The other races' share of the day's totals stays as it is while the dialog is open.
  book_ = std::make_unique<ResultBook>(day_.races[std::size_t(race_)], otherRacesMoney(day_.meeting, race_));

  const KeypadFrame frame = keypadFrame(this, port_, [this](QTabWidget* pages) {
    pages->addTab(buildTanPage(), "単勝・複勝");
    pages->addTab(buildWakuPage(), "枠連");
    pages->addTab(buildWideUmaPage(), "ﾜｲﾄﾞ・馬連");
    for (NewBetType t : kNewTypes) {
      auto* p = new NewResultPage(t, port_);
      newPages_[std::size_t(t)] = p;
      pages->addTab(p, newBetTypeName(t));
      connect(p->addButton(), &QPushButton::clicked, this, [this, t] { addNewResult(t); });
      connect(p->deleteButton(), &QPushButton::clicked, this, [this, t] { removeNewResult(t); });
      connect(p->specialButton(), &QPushButton::clicked, this, [this, t] { setSpecialPayout(t); });
      connect(p->specialClearButton(), &QPushButton::clicked, this, [this, t] { clearSpecialPayout(t); });
      p->payoutField()->installEventFilter(this);
      p->specialField()->installEventFilter(this);
    }
    scratchPage_ = new ScratchPage;
    pages->addTab(scratchPage_, "返還");
    connect(scratchPage_, &ScratchPage::toggled, this, &ResultDialog::changeScratches);
  });
  dayLabel_ = frame.dayLabel;
  page_ = frame.pages;
  keypad_ = frame.keypad;
  connect(frame.touroku, &QPushButton::clicked, this, &ResultDialog::registerResults);
  connect(frame.cancel, &QPushButton::clicked, this, &ResultDialog::reject);
  connect(page_, &QTabWidget::currentChanged, this, &ResultDialog::pointKeypadAtPage);

  readBets();
  resetPages();
  setFixedSize(sizeHint());
}

ResultDialog::~ResultDialog() = default;

QWidget* ResultDialog::buildTanPage() {
  tanPage_ = new WinPlacePage(WinPlacePage::Use::Result, port_);
  connect(tanPage_->addButton(), &QPushButton::clicked, this, &ResultDialog::addWinPlaceResult);
  connect(tanPage_->deleteButton(), &QPushButton::clicked, this, &ResultDialog::removeWinPlaceResult);
  return tanPage_;
}

// The pair pages are laid out as the 単勝・複勝 page: the number groups on the left; on the right,
// from the top, the type switch, each list under its caption and as tall as the results
// it can hold, and the payout row; the rest of the page stays below.
QWidget* ResultDialog::buildWakuPage() {
  auto* tab = new QWidget;
  tab->setObjectName("Tab2");
  auto* grid = new QGridLayout(tab);
  wakuGroup1_ = new RadioGroupBox("WakuGroup1", "枠番", numberItems(8, false), 1, tab);
  wakuGroup2_ = new RadioGroupBox("WakuGroup2", "枠番", numberItems(8, false), 1, tab);
  grid->addLayout(pickPair(wakuGroup1_, wakuGroup2_, tab), 0, 0, 3, 1, Qt::AlignTop | Qt::AlignLeft);
  wakuListBox_ = fullList("WakuListBox", 20, 2, tab);
  grid->addLayout(captioned({{"枠連", wakuListBox_}}, tab), 0, 1);
  wakuGakuEdit_ = amountEdit("WakuGakuEdit", port_, tab);
  auto* add = entryButton("WakuTsuikaBtn", "追加", tab);
  auto* del = entryButton("WakuSakujyoBtn", "削除", tab);
  grid->addLayout(payoutRow(wakuGakuEdit_, add, del, tab), 1, 1);
  grid->setRowStretch(2, 1);
  connect(add, &QPushButton::clicked, this, &ResultDialog::addBracketResult);
  connect(del, &QPushButton::clicked, this, &ResultDialog::removeBracketResult);
  return tab;
}

QWidget* ResultDialog::buildWideUmaPage() {
  auto* tab = new QWidget;
  tab->setObjectName("Tab3");
  auto* grid = new QGridLayout(tab);
  wideUmaGroup1_ = new RadioGroupBox("WideUmaGroup1", "馬番", numberItems(18, true), 2, tab);
  wideUmaGroup2_ = new RadioGroupBox("WideUmaGroup2", "馬番", numberItems(18, true), 2, tab);
  grid->addLayout(pickPair(wideUmaGroup1_, wideUmaGroup2_, tab), 0, 0, 4, 1, Qt::AlignTop | Qt::AlignLeft);
  auto* typeRow = new QHBoxLayout;
  wideBtn_ = new QRadioButton("ﾜｲﾄﾞ", tab);
  wideBtn_->setObjectName("WideBtn");
  umaBtn_ = new QRadioButton("馬連", tab);
  umaBtn_->setObjectName("RadioButton1");
  typeRow->addWidget(wideBtn_);
  typeRow->addWidget(umaBtn_);
  typeRow->addStretch();
  grid->addLayout(typeRow, 0, 1);
  wideListBox_ = fullList("WideListBox", 20, 6, tab);
  umaListBox_ = fullList("UmaListBox", 20, 2, tab);
  grid->addLayout(captioned({{"ﾜｲﾄﾞ", wideListBox_}, {"馬連", umaListBox_}}, tab), 1, 1);
  wideUmaGakuEdit_ = amountEdit("WideUmaGakuEdit", port_, tab);
  auto* add = entryButton("WideUmaTsuikaBtn", "追加", tab);
  auto* del = entryButton("WideUmaSakujyoBtn", "削除", tab);
  grid->addLayout(payoutRow(wideUmaGakuEdit_, add, del, tab), 2, 1);
  grid->setRowStretch(3, 1);
  connect(wideBtn_, &QRadioButton::clicked, this, [this] { chooseList(wideListBox_, umaListBox_); });
  connect(umaBtn_, &QRadioButton::clicked, this, [this] { chooseList(umaListBox_, wideListBox_); });
  connect(add, &QPushButton::clicked, this, &ResultDialog::addPairResult);
  connect(del, &QPushButton::clicked, this, &ResultDialog::removePairResult);
  return tab;
}

void ResultDialog::resetPages() {
  dayLabel_->setText(QString::fromStdString(entryDayLabel(day_.meeting, key_.course, race_)));
  tanPage_->reset();
  for (QLineEdit* e : {wakuGakuEdit_, wideUmaGakuEdit_}) e->clear();
  for (RadioGroupBox* g : {wakuGroup1_, wakuGroup2_, wideUmaGroup1_}) g->setItemIndex(0);
  wideUmaGroup2_->setItemIndex(1);
  wideBtn_->setChecked(true);
  chooseList(wideListBox_, umaListBox_);
  for (BetType t : kBetTypes) refreshList(t);
  for (NewBetType t : kNewTypes) {
    newPage(t)->reset();
    newPage(t)->showResults(newResults_[std::size_t(t)].winners, newResults_[std::size_t(t)].special);
  }
  scratchPage_->setHorses(storedHorses_);
  scratchPage_->setFrames(storedFrames_);
  page_->setCurrentIndex(0);
  pointKeypadAtPage(0);
}

void ResultDialog::pointKeypadAtPage(int index) {
  QLineEdit* fields[] = {tanPage_->amountField(), wakuGakuEdit_, wideUmaGakuEdit_};
  if (index >= 3 && index < 6)
    keypad_->setTarget(newPages_[std::size_t(index - 3)]->payoutField());
  else if (index == 6)
    keypad_->setTarget(nullptr);  // the 返還 page has no amount
  else
    keypad_->setTarget(fields[index < 0 || index > 2 ? 0 : index]);
}

bool ResultDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn)
    for (NewResultPage* p : newPages_)
      if (watched == p->payoutField() || watched == p->specialField())
        keypad_->setTarget(static_cast<QLineEdit*>(watched));
  return QDialog::eventFilter(watched, event);
}

QListWidget* ResultDialog::listOf(BetType t) const {
  switch (t) {
    case BetType::Tan:
    case BetType::Fuku: return tanPage_->list(t);
    case BetType::Waku: return wakuListBox_;
    case BetType::Wide: return wideListBox_;
    case BetType::Uma: return umaListBox_;
  }
  return tanPage_->list(BetType::Tan);
}

void ResultDialog::refreshList(BetType t) { setLines(listOf(t), book_->lines(t)); }

BetType ResultDialog::wideUmaType() const { return wideBtn_->isChecked() ? BetType::Wide : BetType::Uma; }

void ResultDialog::addWinPlaceResult() {
  const BetType t = tanPage_->type();
  if (changed(port_, book_->add(t, tanPage_->number(), 0, tanPage_->amountText()))) refreshList(t);
}

void ResultDialog::removeWinPlaceResult() {
  const BetType t = tanPage_->type();
  if (changed(port_, book_->remove(t, selectedLine(listOf(t))))) refreshList(t);
}

void ResultDialog::addBracketResult() {
  if (changed(port_, book_->add(BetType::Waku, wakuGroup1_->itemIndex() + 1, wakuGroup2_->itemIndex() + 1,
                                wakuGakuEdit_->text().toStdString())))
    refreshList(BetType::Waku);
}

void ResultDialog::removeBracketResult() {
  if (changed(port_, book_->remove(BetType::Waku, selectedLine(wakuListBox_)))) refreshList(BetType::Waku);
}

void ResultDialog::addPairResult() {
  if (changed(port_, book_->add(wideUmaType(), wideUmaGroup1_->itemIndex() + 1, wideUmaGroup2_->itemIndex() + 1,
                                wideUmaGakuEdit_->text().toStdString())))
    refreshList(wideUmaType());
}

void ResultDialog::removePairResult() {
  if (changed(port_, book_->remove(wideUmaType(), selectedLine(listOf(wideUmaType()))))) refreshList(wideUmaType());
}

void ResultDialog::registerResults() {
  auto written = takeOutcome(store_, port_, commitRace(store_.ledger(), key_, day_, race_));
  if (!written) return;
  day_ = std::move(*written);
  // The day is written: a refused change of the bet store is shown, and the dialog closes
  // on the day as written all the same.
  writeBets();
  accept();
}

// --- 馬単, 3連複, 3連単 and 返還 ---

void ResultDialog::readBets() {
  const Status opened = bets_.open(false);
  if (opened.failed()) store_.fatal(opened.failure());
  if (opened.refused()) {
    betsRefusal_ = opened.refusal();
    return;
  }
  const Result<StoredRace> race = bets_.race(raceKeyOf(key_, day_.meeting, race_));
  if (race.failed()) store_.fatal(race.failure());
  if (race.refused()) {
    betsRefusal_ = race.refusal();
    return;
  }
  for (const StoredWinner& w : race->winners)
    if (w.type >= 0 && w.type < 3) storedResults_[std::size_t(w.type)].winners.push_back({w.combo, w.payout});
  for (std::size_t t = 0; t < 3; ++t) storedResults_[t].special = race->special[t];
  storedHorses_ = race->scratched;
  storedFrames_ = race->refundedFrames;
  newResults_ = storedResults_;
}

bool ResultDialog::betsUsable() {
  if (betsRefusal_) showRefusal(port_, *betsRefusal_);
  return !betsRefusal_;
}

void ResultDialog::addNewResult(NewBetType t) {
  if (!betsUsable()) return;
  NewResultPage* page = newPage(t);
  Combination combo = page->combination();
  const std::int64_t payout = payoutYen(page->payoutText());
  if (auto bad = checkWinner(t, combo, payout, day_.races[std::size_t(race_)])) {
    showRefusal(port_, *bad);
    return;
  }
  // 3連複 is kept ascending, as the store keeps it.
  if (!isOrdered(t)) std::sort(combo.begin(), combo.begin() + pointSize(t));
  NewResults& r = newResults_[std::size_t(t)];
  for (const auto& w : r.winners)
    if (w.first == combo) {
      showRefusal(port_, Refusal{MsgIcon::Error, msg::kWinnerTwice});
      return;
    }
  r.winners.push_back({combo, payout});
  page->showResults(r.winners, r.special);
}

void ResultDialog::removeNewResult(NewBetType t) {
  if (!betsUsable()) return;
  NewResults& r = newResults_[std::size_t(t)];
  const int n = selectedLine(newPage(t)->list());
  if (n < 0 || std::size_t(n) >= r.winners.size()) {
    showRefusal(port_, Refusal{MsgIcon::Error, msg::kResultSelect});
    return;
  }
  r.winners.erase(r.winners.begin() + n);
  newPage(t)->showResults(r.winners, r.special);
}

void ResultDialog::setSpecialPayout(NewBetType t) {
  if (!betsUsable()) return;
  const std::int64_t payout = payoutYen(newPage(t)->specialText());
  if (auto bad = checkSpecial(payout)) {
    showRefusal(port_, *bad);
    return;
  }
  NewResults& r = newResults_[std::size_t(t)];
  r.special = payout;
  newPage(t)->showResults(r.winners, r.special);
}

void ResultDialog::clearSpecialPayout(NewBetType t) {
  if (!betsUsable()) return;
  NewResults& r = newResults_[std::size_t(t)];
  r.special.reset();
  newPage(t)->showResults(r.winners, r.special);
}

void ResultDialog::changeScratches() {
  if (betsUsable()) return;
  // The toggle clicked goes back: nothing is kept for a store that cannot take it.
  scratchPage_->setHorses(storedHorses_);
  scratchPage_->setFrames(storedFrames_);
}

bool ResultDialog::writeBets() {
  if (betsRefusal_) return true;  // nothing could be changed
  const RaceKey key = raceKeyOf(key_, day_.meeting, race_);
  const RaceRecord& race = day_.races[std::size_t(race_)];
  auto done = [this](const Status& s) {
    if (s.failed()) store_.fatal(s.failure());
    if (s.refused()) showRefusal(port_, s.refusal());
    return bool(s);
  };
  for (NewBetType t : kNewTypes) {
    NewResults now = storedResults_[std::size_t(t)];
    const NewResults& want = newResults_[std::size_t(t)];
    if (now == want) continue;
    // A 特払 taken away goes with the type's result; what stays is entered again below.
    if (now.special && !want.special) {
      if (!done(clearResult(bets_, key, t))) return false;
      now = NewResults{};
    }
    for (int n = int(now.winners.size()); n >= 1; --n) {
      const auto& w = now.winners[std::size_t(n - 1)];
      if (std::find(want.winners.begin(), want.winners.end(), w) != want.winners.end()) continue;
      if (!done(deleteWinner(bets_, key, t, n))) return false;
      now.winners.erase(now.winners.begin() + (n - 1));
    }
    for (const auto& w : want.winners) {
      if (std::find(now.winners.begin(), now.winners.end(), w) != now.winners.end()) continue;
      if (!done(addWinner(bets_, key, race, t, w.first, w.second))) return false;
    }
    if (want.special && want.special != now.special && !done(setSpecial(bets_, key, t, *want.special))) return false;
  }
  const std::vector<int> horses = scratchPage_->horses(), frames = scratchPage_->frames();
  if ((horses != storedHorses_ || frames != storedFrames_) && !done(setScratch(bets_, key, horses, frames)))
    return false;
  return true;
}

}  // namespace tovra
