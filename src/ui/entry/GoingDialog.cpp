#include "ui/entry/GoingDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "features/entry/race_entry.hpp"
#include "storage/datastore.hpp"
#include "ui/widgets/EntryWidgets.h"
#include "ui/widgets/RadioGroupBox.h"

namespace tovra {

GoingDialog::GoingDialog(DataStore& store, const DayKey& key, const MeetingDay& day, QWidget* parent)
    : QDialog(parent), store_(store), key_(key), races_(day.races), sheet_(std::make_unique<GoingSheet>(day.races)) {
  setObjectName("BabaShuseiDialog");
  setWindowTitle("ﾚｰｽﾃﾞｰﾀ ： 馬場状態修正");

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(14, 12, 14, 12);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(8);
  dayLabel_ = new QLabel(QString::fromStdString(entryDayLabel(day.meeting, key.course, -1)), this);
  dayLabel_->setObjectName("DayLabel");
  grid->addWidget(dayLabel_, 0, 0, 1, 6);

  const QStringList items = {"良", "稍重", "重", "不良"};
  for (int r = 0; r < 12; ++r) {
    auto* g = new RadioGroupBox(QStringLiteral("Group%1").arg(r + 1), QStringLiteral("%1R").arg(r + 1), items, 1, this);
    groups_[std::size_t(r)] = g;
    grid->addWidget(g, 1 + r / 6, r % 6);
    connect(g, &RadioGroupBox::itemChanged, this, [this, r](int item) { sheet_->select(r, item); });
  }

  auto* all = new QHBoxLayout;
  struct Bulk {
    const char *name, *caption;
    void (GoingDialog::*slot)();
  };
  const Bulk bulk[] = {{"RyouBtn", "全て良", &GoingDialog::setAllGood},
                       {"YayaBtn", "すべて稍重", &GoingDialog::setAllSlightlyHeavy},
                       {"OmoBtn", "すべて重", &GoingDialog::setAllHeavy},
                       {"FuryoBtn", "すべて不良", &GoingDialog::setAllBad}};
  for (const Bulk& b : bulk) {
    auto* btn = entryButton(b.name, b.caption, this);
    all->addWidget(btn);
    connect(btn, &QPushButton::clicked, this, b.slot);
  }
  all->addStretch();
  auto* shusei = entryButton("ShuseiBtn", "修正", this);
  auto* cancel = entryButton("CancelBtn", "ｷｬﾝｾﾙ", this);
  all->addWidget(shusei);
  all->addWidget(cancel);
  grid->addLayout(all, 3, 0, 1, 6);
  connect(shusei, &QPushButton::clicked, this, &GoingDialog::applyGoing);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  showSheet();
  setFixedSize(sizeHint());
}

GoingDialog::~GoingDialog() = default;

void GoingDialog::showSheet() {
  for (int r = 0; r < 12; ++r) {
    RadioGroupBox* g = groups_[std::size_t(r)];
    QSignalBlocker block(g);
    g->setEnabled(sheet_->enabled(r));
    g->setItemIndex(sheet_->selected(r));
  }
}

void GoingDialog::selectAll(int item) {
  sheet_->selectAll(item);
  showSheet();
}

void GoingDialog::applyGoing() {
  auto written = sheet_->apply(store_.ledger(), key_);
  if (!written) store_.fatal(written.failure().code, written.failure().path);
  races_ = *written;
  accept();
}

}  // namespace tovra
