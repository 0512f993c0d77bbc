#include "forms/Racekekadialogunit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "entry/race_entry.hpp"
#include "forms/AmountKeypad.h"
#include "forms/AppState.h"
#include "forms/EntryWidgets.h"
#include "forms/RadioGroupBox.h"

namespace tovra {

namespace {

// The amount field followed by "0円": payouts are typed in units of 10 yen.
QHBoxLayout* payoutRow(QLineEdit* edit, QPushButton* add, QPushButton* del, QWidget* parent) {
  auto* row = new QHBoxLayout;
  row->addWidget(edit);
  row->addWidget(new QLabel("0円", parent));
  row->addSpacing(8);
  row->addWidget(add);
  row->addWidget(del);
  return row;
}

// Lists under their captions from the top of a column, nothing between caption and list.
QVBoxLayout* captioned(std::initializer_list<std::pair<const char*, QListWidget*>> lists, QWidget* parent) {
  auto* column = new QVBoxLayout;
  column->setSpacing(2);
  for (const auto& [text, list] : lists) {
    column->addWidget(new QLabel(text, parent));
    column->addWidget(list);
    column->addSpacing(6);
  }
  column->addStretch();
  return column;
}

// The two number groups of a pair with the dash between them.
QHBoxLayout* pickPair(QWidget* first, QWidget* second, QWidget* parent) {
  auto* picks = new QHBoxLayout;
  picks->addWidget(first);
  picks->addWidget(new QLabel("－", parent));
  picks->addWidget(second);
  return picks;
}

}  // namespace

TRaceKekaDialog::TRaceKekaDialog(QWidget* parent) : QDialog(parent), race_(appState().ds.raceIndex) {
  setObjectName("RaceKekaDialog");
  setWindowTitle("ﾚｰｽﾃﾞｰﾀ ： ﾚｰｽ結果登録");
  book_ = std::make_unique<ResultBook>(appState().ds.races[std::size_t(race_)]);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(12, 10, 12, 12);
  grid->setHorizontalSpacing(12);
  dayLabel_ = new QLabel(this);
  dayLabel_->setObjectName("DayLabel");
  grid->addWidget(dayLabel_, 0, 0, 1, 2);

  page_ = new QTabWidget(this);
  page_->setObjectName("Page");
  page_->addTab(buildTanPage(), "単勝・複勝");
  page_->addTab(buildWakuPage(), "枠連");
  page_->addTab(buildWideUmaPage(), "ﾜｲﾄﾞ・馬連");
  grid->addWidget(page_, 1, 0, 2, 1);

  keypad_ = new AmountKeypad(this);
  grid->addWidget(keypad_, 1, 1, Qt::AlignTop);
  QPushButton* touroku = nullptr;
  QPushButton* cancel = nullptr;
  grid->addLayout(registerCancelColumn(this, &touroku, &cancel), 2, 1, Qt::AlignBottom);
  connect(touroku, &QPushButton::clicked, this, &TRaceKekaDialog::TourokuBtnClick);
  connect(cancel, &QPushButton::clicked, this, &TRaceKekaDialog::reject);
  connect(page_, &QTabWidget::currentChanged, this, &TRaceKekaDialog::PageChange);

  FormShow();
  setFixedSize(sizeHint());
}

TRaceKekaDialog::~TRaceKekaDialog() = default;

// Every page: the number groups on the left; on the right, from the top, the type
// switch, each list under its caption and as tall as the results it can hold, and the
// payout row; the rest of the page stays below.
QWidget* TRaceKekaDialog::buildTanPage() {
  auto* tab = new QWidget;
  tab->setObjectName("Tab1");
  auto* grid = new QGridLayout(tab);
  tanGroup_ = new RadioGroupBox("TanGroup", "番号", numberItems(18, true), 3, tab);
  grid->addWidget(tanGroup_, 0, 0, 4, 1, Qt::AlignTop);
  auto* typeRow = new QHBoxLayout;
  tanBtn_ = new QRadioButton("単勝", tab);
  tanBtn_->setObjectName("TanBtn");
  fukuBtn_ = new QRadioButton("複勝", tab);
  fukuBtn_->setObjectName("FukuBtn");
  typeRow->addWidget(tanBtn_);
  typeRow->addWidget(fukuBtn_);
  typeRow->addStretch();
  grid->addLayout(typeRow, 0, 1, 1, 2);
  tanListBox_ = fullList("TanListBox", 20, 2, tab);
  fukuListBox_ = fullList("FukuListBox", 20, 4, tab);
  grid->addLayout(captioned({{"単勝", tanListBox_}}, tab), 1, 1);
  grid->addLayout(captioned({{"複勝", fukuListBox_}}, tab), 1, 2);
  tanGakuEdit_ = amountEdit("TanGakuEdit", tab);
  auto* add = entryButton("TanTsuikaBtn", "追加", tab);
  auto* del = entryButton("TanSakujyobtn", "削除", tab);
  grid->addLayout(payoutRow(tanGakuEdit_, add, del, tab), 2, 1, 1, 2);
  grid->setRowStretch(3, 1);
  connect(tanBtn_, &QRadioButton::clicked, this, [this] { chooseList(tanListBox_, fukuListBox_); });
  connect(fukuBtn_, &QRadioButton::clicked, this, [this] { chooseList(fukuListBox_, tanListBox_); });
  connect(add, &QPushButton::clicked, this, &TRaceKekaDialog::TanTsuikaBtnClick);
  connect(del, &QPushButton::clicked, this, &TRaceKekaDialog::TanSakujyobtnClick);
  return tab;
}

QWidget* TRaceKekaDialog::buildWakuPage() {
  auto* tab = new QWidget;
  tab->setObjectName("Tab2");
  auto* grid = new QGridLayout(tab);
  wakuGroup1_ = new RadioGroupBox("WakuGroup1", "枠番", numberItems(8, false), 1, tab);
  wakuGroup2_ = new RadioGroupBox("WakuGroup2", "枠番", numberItems(8, false), 1, tab);
  grid->addLayout(pickPair(wakuGroup1_, wakuGroup2_, tab), 0, 0, 3, 1, Qt::AlignTop | Qt::AlignLeft);
  wakuListBox_ = fullList("WakuListBox", 20, 2, tab);
  grid->addLayout(captioned({{"枠連", wakuListBox_}}, tab), 0, 1);
  wakuGakuEdit_ = amountEdit("WakuGakuEdit", tab);
  auto* add = entryButton("WakuTsuikaBtn", "追加", tab);
  auto* del = entryButton("WakuSakujyoBtn", "削除", tab);
  grid->addLayout(payoutRow(wakuGakuEdit_, add, del, tab), 1, 1);
  grid->setRowStretch(2, 1);
  connect(add, &QPushButton::clicked, this, &TRaceKekaDialog::WakuTsuikaBtnClick);
  connect(del, &QPushButton::clicked, this, &TRaceKekaDialog::WakuSakujyoBtnClick);
  return tab;
}

QWidget* TRaceKekaDialog::buildWideUmaPage() {
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
  wideUmaGakuEdit_ = amountEdit("WideUmaGakuEdit", tab);
  auto* add = entryButton("WideUmaTsuikaBtn", "追加", tab);
  auto* del = entryButton("WideUmaSakujyoBtn", "削除", tab);
  grid->addLayout(payoutRow(wideUmaGakuEdit_, add, del, tab), 2, 1);
  grid->setRowStretch(3, 1);
  connect(wideBtn_, &QRadioButton::clicked, this, [this] { chooseList(wideListBox_, umaListBox_); });
  connect(umaBtn_, &QRadioButton::clicked, this, [this] { chooseList(umaListBox_, wideListBox_); });
  connect(add, &QPushButton::clicked, this, &TRaceKekaDialog::WideUmaTsuikaBtnClick);
  connect(del, &QPushButton::clicked, this, &TRaceKekaDialog::WideUmaSakujyoBtnClick);
  return tab;
}

void TRaceKekaDialog::FormShow() {
  dayLabel_->setText(QString::fromStdString(entryDayLabel(appState().ds, race_)));
  for (QLineEdit* e : {tanGakuEdit_, wakuGakuEdit_, wideUmaGakuEdit_}) e->clear();
  for (RadioGroupBox* g : {tanGroup_, wakuGroup1_, wakuGroup2_, wideUmaGroup1_}) g->setItemIndex(0);
  wideUmaGroup2_->setItemIndex(1);
  tanBtn_->setChecked(true);
  chooseList(tanListBox_, fukuListBox_);
  wideBtn_->setChecked(true);
  chooseList(wideListBox_, umaListBox_);
  for (BetType t : kBetTypes) refreshList(t);
  page_->setCurrentIndex(0);
  PageChange(0);
}

void TRaceKekaDialog::PageChange(int index) {
  QLineEdit* fields[] = {tanGakuEdit_, wakuGakuEdit_, wideUmaGakuEdit_};
  keypad_->setTarget(fields[index < 0 || index > 2 ? 0 : index]);
}

void TRaceKekaDialog::chooseList(QListWidget* on, QListWidget* off) {
  on->setEnabled(true);
  off->setEnabled(false);
  off->clearSelection();
}

QListWidget* TRaceKekaDialog::listOf(BetType t) const {
  switch (t) {
    case BetType::Tan: return tanListBox_;
    case BetType::Fuku: return fukuListBox_;
    case BetType::Waku: return wakuListBox_;
    case BetType::Wide: return wideListBox_;
    case BetType::Uma: return umaListBox_;
  }
  return tanListBox_;
}

void TRaceKekaDialog::refreshList(BetType t) { setLines(listOf(t), book_->lines(t)); }

BetType TRaceKekaDialog::tanType() const { return tanBtn_->isChecked() ? BetType::Tan : BetType::Fuku; }
BetType TRaceKekaDialog::wideUmaType() const { return wideBtn_->isChecked() ? BetType::Wide : BetType::Uma; }

void TRaceKekaDialog::TanTsuikaBtnClick() {
  if (book_->add(userPort(), tanType(), tanGroup_->itemIndex() + 1, 0, tanGakuEdit_->text().toStdString()))
    refreshList(tanType());
}

void TRaceKekaDialog::TanSakujyobtnClick() {
  if (book_->remove(userPort(), tanType(), selectedLine(listOf(tanType())))) refreshList(tanType());
}

void TRaceKekaDialog::WakuTsuikaBtnClick() {
  if (book_->add(userPort(), BetType::Waku, wakuGroup1_->itemIndex() + 1, wakuGroup2_->itemIndex() + 1,
                 wakuGakuEdit_->text().toStdString()))
    refreshList(BetType::Waku);
}

void TRaceKekaDialog::WakuSakujyoBtnClick() {
  if (book_->remove(userPort(), BetType::Waku, selectedLine(wakuListBox_))) refreshList(BetType::Waku);
}

void TRaceKekaDialog::WideUmaTsuikaBtnClick() {
  if (book_->add(userPort(), wideUmaType(), wideUmaGroup1_->itemIndex() + 1, wideUmaGroup2_->itemIndex() + 1,
                 wideUmaGakuEdit_->text().toStdString()))
    refreshList(wideUmaType());
}

void TRaceKekaDialog::WideUmaSakujyoBtnClick() {
  if (book_->remove(userPort(), wideUmaType(), selectedLine(listOf(wideUmaType())))) refreshList(wideUmaType());
}

void TRaceKekaDialog::TourokuBtnClick() {
  commitRace(appState().ds, race_);
  accept();
}

void TRaceKekaDialog::reject() {
  discardRaceChanges(appState().ds);
  QDialog::reject();
}

}  // namespace tovra
