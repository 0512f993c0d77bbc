#include "ui/widgets/RadioGroupBox.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace tovra {

RadioGroupBox::RadioGroupBox(const QString& objectName, const QString& caption, const QStringList& items, int columns,
                             QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this)) {
  setObjectName(objectName);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(8, 4, 8, 4);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(1);
  const int rows = (int(items.size()) + columns - 1) / columns;
  for (int i = 0; i < items.size(); ++i) {
    auto* b = new QRadioButton(items[i], this);
    b->setObjectName(objectName + "Item" + QString::number(i));
    buttons_->addButton(b, i);
    grid->addWidget(b, i % rows, i / rows);
  }
  connect(buttons_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (on) emit itemChanged(id);
  });
}

int RadioGroupBox::itemIndex() const { return buttons_->checkedId(); }

void RadioGroupBox::setItemIndex(int i) {
  if (i >= 0 && i < count()) {
    buttons_->button(i)->setChecked(true);
    return;
  }
  // An exclusive group never unchecks its last item by itself.
  buttons_->setExclusive(false);
  for (QAbstractButton* b : buttons_->buttons()) b->setChecked(false);
  buttons_->setExclusive(true);
}

int RadioGroupBox::count() const { return int(buttons_->buttons().size()); }

QRadioButton* RadioGroupBox::item(int i) const { return qobject_cast<QRadioButton*>(buttons_->button(i)); }

}  // namespace tovra
