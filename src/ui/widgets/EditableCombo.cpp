#include "ui/widgets/EditableCombo.h"

#include <QComboBox>

namespace tovra {

void keepTypedText(QComboBox* box) {
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  // setEditable installs a completer that completes inline; the box keeps none.
  box->setCompleter(nullptr);
}

QComboBox* makeEditableCombo(const char* objectName, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(objectName);
  keepTypedText(box);
  return box;
}

}  // namespace tovra
