#include "ui/tally/ConditionTallyDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "storage/datastore.hpp"
#include "ui/widgets/DigitFilter.h"
#include "ui/widgets/EntryWidgets.h"
#include "ui/tally/TallyFilterBox.h"
#include "ui/widgets/RadioGroupBox.h"
#include "ui/widgets/YearRangeBox.h"

namespace tovra {

namespace {

using tally::JyokenKind;

// The radio group of a kind's tab: kinds 1-8 RadioGroup1-8, the going RadioGroup9, the
// bet type RadioGroup10.
int groupNumber(JyokenKind kind) {
  const int k = static_cast<int>(kind);
  return k <= 8 ? k : k - 1;
}

}  // namespace

ConditionTallyDialog::ConditionTallyDialog(DataStore& ds, UserPort& port, QWidget* parent)
    : QDialog(parent), ds_(ds), port_(port) {
  setObjectName("JyokenShukeiDialog");
  setWindowTitle("条件集計");
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(16, 14, 16, 14);
  grid->setHorizontalSpacing(14);

  range_ = new YearRangeBox("集計範囲", ds, this);
  filter_ = new TallyFilterBox(this);
  auto* top = new QHBoxLayout;
  top->addWidget(range_);
  top->addWidget(filter_);
  grid->addLayout(top, 0, 0);

  auto* box2 = new QGroupBox("条件", this);
  box2->setObjectName("GroupBox2");
  auto* conditionRow = new QHBoxLayout(box2);
  page_ = new QTabWidget(box2);
  page_->setObjectName("Page");
  page_->setUsesScrollButtons(false);  // every tab in sight
  for (int k = 1; k <= tally::kJyokenKinds; ++k) {
    const auto kind = static_cast<JyokenKind>(k);
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("Tab%1").arg(k));
    auto* tabLayout = new QVBoxLayout(tab);
    if (kind == JyokenKind::Distance) {
      auto* row = new QHBoxLayout;
      kyoriEdit_ = new QLineEdit(tab);
      kyoriEdit_->setObjectName("KyoriEdit");
      kyoriEdit_->setMaxLength(4);
      kyoriEdit_->setFixedWidth(64);
      installDigitKeyFilter(kyoriEdit_, port_);
      label1_ = new QLabel("M", tab);
      label1_->setObjectName("Label1");
      row->addWidget(kyoriEdit_);
      row->addWidget(label1_);
      row->addStretch();
      tabLayout->addLayout(row);
    } else {
      QStringList items;
      for (const std::string& i : tally::jyokenItemCaptions(kind)) items << QString::fromStdString(i);
      const int columns = items.size() > 6 ? 3 : items.size() > 4 ? 2 : 1;
      auto* group = new RadioGroupBox(QStringLiteral("RadioGroup%1").arg(groupNumber(kind)), {}, items, columns, tab);
      groups_[std::size_t(k)] = group;
      tabLayout->addWidget(group);
    }
    tabLayout->addStretch();
    page_->addTab(tab, QString::fromStdString(tally::jyokenTabCaption(kind)));
  }
  conditionRow->addWidget(page_, 1);

  auto* listColumn = new QVBoxLayout;
  listBox_ = lineList("ListBox", 16, 7, box2);
  listColumn->addWidget(listBox_);
  auto* buttons = new QHBoxLayout;
  auto* settei = new QPushButton("設定", box2);
  settei->setObjectName("SetteiBtn");
  settei->setAutoDefault(false);
  auto* sakujyo = new QPushButton("削除", box2);
  sakujyo->setObjectName("SakujyoBtn");
  sakujyo->setAutoDefault(false);
  buttons->addWidget(settei);
  buttons->addWidget(sakujyo);
  listColumn->addLayout(buttons);
  conditionRow->addLayout(listColumn);
  grid->addWidget(box2, 1, 0, 1, 2);

  auto* label2 = new QLabel("設定出来る条件は 7種まで...", this);
  label2->setObjectName("Label2");
  grid->addWidget(label2, 2, 0);

  QPushButton* shukei = nullptr;
  grid->addLayout(startCancelColumn(this, "ShukeiBtn", "集計開始", &shukei), 0, 1);
  connect(shukei, &QPushButton::clicked, this, &ConditionTallyDialog::startTally);
  connect(settei, &QPushButton::clicked, this, &ConditionTallyDialog::addCondition);
  connect(sakujyo, &QPushButton::clicked, this, &ConditionTallyDialog::removeCondition);
  resetConditions();
  setFixedSize(sizeHint());
}

void ConditionTallyDialog::showEvent(QShowEvent* event) {
  resetConditions();
  QDialog::showEvent(event);
}

void ConditionTallyDialog::resetConditions() {
  range_->reset(ds_);
  filter_->reset();
  listBox_->clear();
  list_.reset();
  for (int k = 1; k <= tally::kJyokenKinds; ++k) {
    const auto kind = static_cast<JyokenKind>(k);
    enableKind(kind, true);
    if (RadioGroupBox* g = groups_[std::size_t(k)]) g->setItemIndex(0);
  }
  kyoriEdit_->clear();
  page_->setCurrentIndex(0);
}

void ConditionTallyDialog::enableKind(JyokenKind kind, bool enabled) {
  if (kind == JyokenKind::Distance) {
    kyoriEdit_->setEnabled(enabled);
    label1_->setEnabled(enabled);
  } else if (RadioGroupBox* g = groups_[std::size_t(kind)]) {
    g->setEnabled(enabled);
  }
}

void ConditionTallyDialog::addCondition() {
  const auto kind = static_cast<JyokenKind>(page_->currentIndex() + 1);
  const RadioGroupBox* g = groups_[std::size_t(kind)];
  const int value = g ? g->itemIndex() + 1 : 0;
  if (!list_.add(port_, kind, value, kyoriEdit_->text().toStdString())) return;
  enableKind(kind, false);
  setLines(listBox_, list_.lines());
}

void ConditionTallyDialog::removeCondition() {
  const int i = selectedLine(listBox_);
  const auto kind =
      i >= 0 && i < list_.count() ? static_cast<JyokenKind>(list_.conditions()[std::size_t(i)].kind) : JyokenKind::None;
  if (!list_.remove(port_, i)) return;
  enableKind(kind, true);
  setLines(listBox_, list_.lines());
}

void ConditionTallyDialog::startTally() {
  if (list_.validate(port_) && filter_->acceptable(&port_)) accept();
}

tally::TallyFilter ConditionTallyDialog::filter() const { return filter_->filter(); }

int ConditionTallyDialog::rangeFlag() const { return range_->allYears() ? 0 : 1; }
int ConditionTallyDialog::yearPosition() const { return range_->yearPosition(); }

}  // namespace tovra
