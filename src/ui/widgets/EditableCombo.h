#pragma once
// Editable drop-down boxes: the list offers texts to pick, and what the user types stays
// exactly as typed. Qt's own completion of an editable box would fill in the rest of the
// first list entry that starts with the typed text ("150" becoming "1500"); these boxes
// never do that, and typing never inserts into the list.
class QComboBox;
class QWidget;

namespace tovra {

// A new editable box named `objectName`, with no completion and no insertion.
QComboBox* makeEditableCombo(const char* objectName, QWidget* parent);

// Makes an existing box editable in the same way.
void keepTypedText(QComboBox* box);

}  // namespace tovra
