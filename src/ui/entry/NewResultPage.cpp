#include "ui/entry/NewResultPage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "features/bets/bet_text.hpp"
#include "ui/widgets/EntryWidgets.h"
#include "ui/widgets/RadioGroupBox.h"

namespace tovra {

namespace {

constexpr int kListRows = 6;      // dead heats of three and more are rare; the list scrolls beyond
constexpr int kListColumns = 24;  // "  3-7-12   " and ten digits of payout with 円

const char* placeCaption(NewBetType t, int place) {
  static const char* const kPlaces[3] = {"1着", "2着", "3着"};
  return t == NewBetType::Sanrenpuku ? "馬番" : kPlaces[place];
}

}  // namespace

QString NewResultPage::prefix(NewBetType t) {
  switch (t) {
    case NewBetType::Umatan: return "Umatan";
    case NewBetType::Sanrenpuku: return "Sanrenpuku";
    case NewBetType::Sanrentan: return "Sanrentan";
  }
  return "Umatan";
}

std::string newResultLine(NewBetType t, const Combination& combo, std::int64_t payout) {
  const std::string c = comboText(t, combo);
  const std::string digits = std::to_string(payout);
  return "  " + c + std::string(c.size() < 9 ? 9 - c.size() : 1, ' ') +
         std::string(digits.size() < 10 ? 10 - digits.size() : 1, ' ') + digits + "円";
}

NewResultPage::NewResultPage(NewBetType type, UserPort& port) : type_(type) {
  const QString p = prefix(type);
  static const char* const kTabs[3] = {"Tab4", "Tab5", "Tab6"};
  setObjectName(kTabs[static_cast<int>(type)]);
  auto* grid = new QGridLayout(this);

  auto* picks = new QHBoxLayout;
  for (int i = 0; i < pointSize(type); ++i) {
    if (i != 0) picks->addWidget(new QLabel("－", this));
    groups_[std::size_t(i)] =
        new RadioGroupBox(p + QString("Group%1").arg(i + 1), placeCaption(type, i), numberItems(18, true), 2, this);
    picks->addWidget(groups_[std::size_t(i)]);
  }
  grid->addLayout(picks, 0, 0, 4, 1, Qt::AlignTop | Qt::AlignLeft);

  list_ = fullList(p + "ListBox", kListColumns, kListRows, this);
  grid->addLayout(captioned({{newBetTypeName(type), list_}}, this), 0, 1);
  payoutEdit_ = amountEdit(p + "GakuEdit", port, this);
  addBtn_ = entryButton(p + "TsuikaBtn", "追加", this);
  deleteBtn_ = entryButton(p + "SakujyoBtn", "削除", this);
  grid->addLayout(payoutRow(payoutEdit_, addBtn_, deleteBtn_, this), 1, 1);

  // 特払: the amount per 100 yen every ticket of the type returns when none won.
  auto* special = new QVBoxLayout;
  special->setSpacing(2);
  auto* caption = new QHBoxLayout;
  caption->addWidget(new QLabel("特払", this));
  specialLabel_ = new QLabel(this);
  specialLabel_->setObjectName(p + "TokuLabel");
  caption->addWidget(specialLabel_);
  caption->addStretch();
  special->addLayout(caption);
  specialEdit_ = amountEdit(p + "TokuEdit", port, this);
  specialBtn_ = entryButton(p + "TokuBtn", "特払", this);
  specialClearBtn_ = entryButton(p + "TokuKeshiBtn", "解除", this);
  special->addLayout(payoutRow(specialEdit_, specialBtn_, specialClearBtn_, this));
  grid->addLayout(special, 2, 1);
  grid->setRowStretch(3, 1);
}

void NewResultPage::reset() {
  payoutEdit_->clear();
  specialEdit_->clear();
  for (int i = 0; i < pointSize(type_); ++i) groups_[std::size_t(i)]->setItemIndex(i);
}

Combination NewResultPage::combination() const {
  Combination c{};
  for (int i = 0; i < pointSize(type_); ++i) c[std::size_t(i)] = groups_[std::size_t(i)]->itemIndex() + 1;
  return c;
}

std::string NewResultPage::payoutText() const { return payoutEdit_->text().toStdString(); }
std::string NewResultPage::specialText() const { return specialEdit_->text().toStdString(); }

void NewResultPage::showResults(const std::vector<std::pair<Combination, std::int64_t>>& winners,
                                std::optional<std::int64_t> special) {
  std::vector<std::string> lines;
  for (const auto& [combo, payout] : winners) lines.push_back(newResultLine(type_, combo, payout));
  setLines(list_, lines);
  if (!special) {
    specialLabel_->setText(QString(" なし"));
    return;
  }
  std::string text = " ";
  text += groupedYen(*special);
  text += "円";
  specialLabel_->setText(QString::fromStdString(text));
}

}  // namespace tovra
