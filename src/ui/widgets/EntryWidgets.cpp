#include "ui/widgets/EntryWidgets.h"

#include <QDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "features/entry/amount_field.hpp"
#include "ui/widgets/AmountKeypad.h"
#include "ui/widgets/DigitFilter.h"
#include "ui/widgets/Looks.h"

namespace tovra {

QPushButton* entryButton(const QString& objectName, const QString& caption, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(objectName);
  b->setAutoDefault(false);
  b->setMinimumWidth(72);
  return b;
}

QLineEdit* amountEdit(const QString& objectName, UserPort& port, QWidget* parent) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(objectName);
  e->setMaxLength(kAmountDigits);
  e->setAlignment(Qt::AlignRight);
  e->setFont(figureFont(14));
  e->setFixedWidth(QFontMetrics(e->font()).horizontalAdvance(QString(kAmountDigits + 2, '0')) + 8);
  installDigitKeyFilter(e, port);
  return e;
}

QListWidget* lineList(const QString& objectName, int columns, int rows, QWidget* parent) {
  auto* l = new QListWidget(parent);
  l->setObjectName(objectName);
  l->setFont(figureFont(13));
  const QFontMetrics fm(l->font());
  l->setFixedWidth(fm.horizontalAdvance(QString(columns, '0')) + 28);
  l->setMinimumHeight(rows * (fm.height() + 2) + 6);
  return l;
}

QListWidget* fullList(const QString& objectName, int columns, int rows, QWidget* parent) {
  QListWidget* l = lineList(objectName, columns, rows, parent);
  l->setUniformItemSizes(true);
  l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  l->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // The frame plus `rows` lines as the list draws them.
  const int line = l->fontMetrics().lineSpacing() + 2;
  l->setFixedHeight(rows * line + 2 * l->frameWidth() + 4);
  return l;
}

QHBoxLayout* amountRow(QLineEdit* edit, const QString& unit, QWidget* parent) {
  auto* row = new QHBoxLayout;
  row->addWidget(edit);
  row->addWidget(new QLabel(unit, parent));
  return row;
}

QHBoxLayout* payoutRow(QLineEdit* edit, QPushButton* add, QPushButton* del, QWidget* parent) {
  auto* row = new QHBoxLayout;
  row->addWidget(edit);
  row->addWidget(new QLabel("0円", parent));
  row->addSpacing(8);
  row->addWidget(add);
  row->addWidget(del);
  return row;
}

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

void chooseList(QListWidget* on, QListWidget* off) {
  on->setEnabled(true);
  off->setEnabled(false);
  off->clearSelection();
}

void setLines(QListWidget* list, const std::vector<std::string>& lines) {
  list->clear();
  for (const std::string& s : lines) list->addItem(QString::fromStdString(s));
}

int selectedLine(const QListWidget* list) {
  const QListWidgetItem* item = list->currentItem();
  return item && item->isSelected() ? list->row(item) : -1;
}

QStringList numberItems(int n, bool pad) {
  QStringList l;
  for (int i = 1; i <= n; ++i) l << (pad ? QStringLiteral("%1").arg(i, 2) : QString::number(i));
  return l;
}

QVBoxLayout* registerCancelColumn(QWidget* parent, QPushButton** touroku, QPushButton** cancel) {
  auto* column = new QVBoxLayout;
  *touroku = entryButton("TourokuBtn", "登録", parent);
  *cancel = entryButton("CancelBtn", "ｷｬﾝｾﾙ", parent);
  for (QPushButton* b : {*touroku, *cancel}) {
    b->setFixedSize(126, 32);
    column->addWidget(b);
  }
  return column;
}

KeypadFrame keypadFrame(QDialog* dialog, UserPort& port, const std::function<void(QTabWidget*)>& addPages) {
  KeypadFrame f{};
  auto* grid = new QGridLayout(dialog);
  grid->setContentsMargins(12, 10, 12, 12);
  grid->setHorizontalSpacing(12);
  f.dayLabel = new QLabel(dialog);
  f.dayLabel->setObjectName("DayLabel");
  grid->addWidget(f.dayLabel, 0, 0, 1, 2);

  f.pages = new QTabWidget(dialog);
  f.pages->setObjectName("Page");
  addPages(f.pages);
  grid->addWidget(f.pages, 1, 0, 2, 1);

  f.keypad = new AmountKeypad(port, dialog);
  grid->addWidget(f.keypad, 1, 1, Qt::AlignTop);
  grid->addLayout(registerCancelColumn(dialog, &f.touroku, &f.cancel), 2, 1, Qt::AlignBottom);
  return f;
}

}  // namespace tovra
