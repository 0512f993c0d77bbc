#include "ui/entry/RaceItemsDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "features/entry/entry_text.hpp"
#include "features/entry/race_entry.hpp"
#include "ui/entry/RaceDialogs.h"
#include "ui/widgets/DigitFilter.h"
#include "ui/widgets/EditableCombo.h"
#include "ui/widgets/RadioGroupBox.h"

namespace tovra {

namespace {
QStringList itemTexts(const ItemGroup& g) {
  QStringList l;
  for (const char* s : g.items) l << QString::fromUtf8(s);
  return l;
}
}  // namespace

RaceItemsDialog::RaceItemsDialog(DataStore& store, UserPort& port, const DayKey& key, const MeetingDay& day, int race,
                                 QWidget* parent)
    : QDialog(parent), store_(store), port_(port), key_(key), day_(day), race_(race) {
  setObjectName("RaceKoumokuDialog");
  setWindowTitle("ﾚｰｽﾃﾞｰﾀ ： ﾚｰｽ項目登録");
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(14, 12, 14, 12);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(8);

  dayLabel_ = new QLabel(this);
  dayLabel_->setObjectName("DayLabel");
  grid->addWidget(dayLabel_, 0, 0, 1, 4);

  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(new QLabel("ﾚｰｽ名：", this));
  raceNameEdit_ = new QLineEdit(this);
  raceNameEdit_->setObjectName("RaceNameEdit");
  raceNameEdit_->setMaxLength(int(kRaceNameBytes));
  raceNameEdit_->setMinimumWidth(360);
  nameRow->addWidget(raceNameEdit_, 1);
  grid->addLayout(nameRow, 1, 0, 1, 4);
  connect(raceNameEdit_, &QLineEdit::textEdited, this, &RaceItemsDialog::fitRaceName);

  // Columns as the groups are used most: age, class and kind on top, the rest below.
  static const int columns[kItemFields] = {1, 2, 1, 1, 1, 1, 1};
  static const int cells[kItemFields][2] = {{2, 0}, {2, 1}, {2, 2}, {3, 0}, {3, 1}, {3, 2}, {3, 3}};
  for (int i = 0; i < kItemFields; ++i) {
    const ItemGroup& g = raceItemGroups()[std::size_t(i)];
    groups_[std::size_t(i)] = new RadioGroupBox(g.objectName, g.caption, itemTexts(g), columns[i], this);
    grid->addWidget(groups_[std::size_t(i)], cells[i][0], cells[i][1], Qt::AlignTop);
  }

  auto* kyoriRow = new QHBoxLayout;
  kyoriRow->addWidget(new QLabel("距離：", this));
  // What is typed is the distance: no completing "1" to "1000" from the presets.
  kyoriBox_ = makeEditableCombo("KyoriBox", this);
  for (const char* d : kyoriPresets()) kyoriBox_->addItem(d);
  kyoriBox_->lineEdit()->setMaxLength(4);
  installDigitKeyFilter(kyoriBox_->lineEdit(), port_);
  kyoriBox_->setFixedWidth(80);
  kyoriRow->addWidget(kyoriBox_);
  kyoriRow->addWidget(new QLabel("M", this));
  kyoriRow->addStretch();
  grid->addLayout(kyoriRow, 4, 0, 1, 2);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* touroku = new QPushButton("登録", this);
  touroku->setObjectName("TourokuBtn");
  auto* sakujyo = new QPushButton("全て削除", this);
  sakujyo->setObjectName("SakujyoBtn");
  auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
  cancel->setObjectName("CancelBtn");
  for (QPushButton* b : {touroku, sakujyo, cancel}) {
    b->setAutoDefault(false);
    b->setMinimumWidth(84);
    buttons->addWidget(b);
  }
  grid->addLayout(buttons, 4, 2, 1, 2);
  connect(touroku, &QPushButton::clicked, this, &RaceItemsDialog::registerItems);
  connect(sakujyo, &QPushButton::clicked, this, &RaceItemsDialog::deleteItems);
  // Nothing in memory changes before 登録 or 全て削除, so cancelling reads nothing back.
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  showStoredItems();
  setFixedSize(sizeHint());
}

void RaceItemsDialog::showStoredItems() {
  dayLabel_->setText(QString::fromStdString(entryDayLabel(day_.meeting, key_.course, race_)));
  const RaceItemsInput in = openRaceItems(day_, race_);
  for (int i = 0; i < kItemFields; ++i) groups_[std::size_t(i)]->setItemIndex(in.positions[std::size_t(i)]);
  kyoriBox_->setCurrentIndex(-1);
  kyoriBox_->setEditText(QString::fromStdString(in.kyoriText));
  raceNameEdit_->setText(QString::fromStdString(in.raceName));
}

void RaceItemsDialog::fitRaceName(const QString& text) {
  // The name field holds 60 bytes of Shift-JIS: longer input is cut as it is typed.
  const std::string fitted = fitCp932Bytes(text.toStdString(), kRaceNameBytes);
  if (fitted.size() != text.toStdString().size()) {
    const int pos = raceNameEdit_->cursorPosition();
    raceNameEdit_->setText(QString::fromStdString(fitted));
    raceNameEdit_->setCursorPosition(std::min(pos, int(raceNameEdit_->text().size())));
  }
}

void RaceItemsDialog::registerItems() {
  RaceItemsInput in;
  for (int i = 0; i < kItemFields; ++i) in.positions[std::size_t(i)] = groups_[std::size_t(i)]->itemIndex();
  in.kyoriText = kyoriBox_->currentText().toStdString();
  in.raceName = raceNameEdit_->text().toStdString();
  if (keep(registerRaceItems(store_.ledger(), key_, day_, race_, in))) accept();
}

void RaceItemsDialog::deleteItems() {
  if (!askOkCancel(port_, deleteRaceItemsQuestion(), MsgIcon::Question)) return;
  if (keep(deleteRaceItems(store_.ledger(), key_, day_, race_))) accept();
}

bool RaceItemsDialog::keep(Result<MeetingDay> outcome) {
  auto written = takeOutcome(store_, port_, std::move(outcome));
  if (!written) return false;
  day_ = std::move(*written);
  return true;
}

}  // namespace tovra
