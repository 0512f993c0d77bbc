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

#include "features/entry/race_entry.hpp"
#include "ui/entry/RaceDialogs.h"
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

}  // namespace

ResultDialog::ResultDialog(DataStore& store, BetStore& bets, UserPort& port, const DayKey& key, const MeetingDay& day, int race,
                           QWidget* parent)
    : QDialog(parent), store_(store), bets_(bets), port_(port), key_(key), day_(day), race_(race) {
  setObjectName("RaceKekaDialog");
  setWindowTitle("ﾚｰｽﾃﾞｰﾀ ： ﾚｰｽ結果登録");
  // The other races' share of the day's totals stays as it is while the dialog is open.
  book_ = std::make_unique<ResultBook>(day_.races[std::size_t(race_)], otherRacesMoney(day_.meeting, race_));

  const KeypadFrame frame = keypadFrame(this, port_, [this](QTabWidget* pages) {
    pages->addTab(buildTanPage(), "単勝・複勝");
    pages->addTab(buildWakuPage(), "枠連");
    pages->addTab(buildWideUmaPage(), "ﾜｲﾄﾞ・馬連");
  });
  dayLabel_ = frame.dayLabel;
  page_ = frame.pages;
  keypad_ = frame.keypad;
  connect(frame.touroku, &QPushButton::clicked, this, &ResultDialog::registerResults);
  connect(frame.cancel, &QPushButton::clicked, this, &ResultDialog::reject);
  connect(page_, &QTabWidget::currentChanged, this, &ResultDialog::pointKeypadAtPage);

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
  page_->setCurrentIndex(0);
  pointKeypadAtPage(0);
}

void ResultDialog::pointKeypadAtPage(int index) {
  QLineEdit* fields[] = {tanPage_->amountField(), wakuGakuEdit_, wideUmaGakuEdit_};
  keypad_->setTarget(fields[index < 0 || index > 2 ? 0 : index]);
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
  accept();
}

}  // namespace tovra
