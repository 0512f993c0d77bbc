#include "forms/EntryWidgets.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "entry/amount_field.hpp"
#include "forms/DigitFilter.h"
#include "forms/Looks.h"

namespace tovra {

QPushButton* entryButton(const QString& objectName, const QString& caption, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(objectName);
  b->setAutoDefault(false);
  b->setMinimumWidth(72);
  return b;
}

QLineEdit* amountEdit(const QString& objectName, QWidget* parent) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(objectName);
  e->setMaxLength(kAmountDigits);
  e->setAlignment(Qt::AlignRight);
  e->setFont(figureFont(14));
  e->setFixedWidth(QFontMetrics(e->font()).horizontalAdvance(QString(kAmountDigits + 2, '0')) + 8);
  installDigitKeyFilter(e);
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

}  // namespace tovra
