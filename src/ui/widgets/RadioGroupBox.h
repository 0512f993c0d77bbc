#pragma once
// A captioned group of radio items with one index, as the entry dialogs use them
// (年齢条件, 番号, 枠番, 入力方法, the twelve going groups): itemIndex() is the checked
// item's position, -1 when none is checked.
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace tovra {

class RadioGroupBox : public QGroupBox {
  Q_OBJECT
 public:
  // The items are laid out in `columns` columns, filled column by column.
  RadioGroupBox(const QString& objectName, const QString& caption, const QStringList& items, int columns,
                QWidget* parent);

  int itemIndex() const;
  // Checks item i; -1 (or an index out of range) leaves no item checked.
  void setItemIndex(int i);
  int count() const;
  QRadioButton* item(int i) const;

 signals:
  // The user (or setItemIndex) checked item i.
  void itemChanged(int i);

 private:
  QButtonGroup* buttons_;
};

}  // namespace tovra
