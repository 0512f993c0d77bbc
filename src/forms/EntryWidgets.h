#pragma once
// Small builders the race entry dialogs share, so their pages look and behave alike.
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace tovra {

// A push button that never becomes the default (Enter in an amount field adds nothing).
QPushButton* entryButton(const QString& objectName, const QString& caption, QWidget* parent);
// The 登録 (TourokuBtn) and ｷｬﾝｾﾙ (CancelBtn) buttons stacked in one column.
QVBoxLayout* registerCancelColumn(QWidget* parent, QPushButton** touroku, QPushButton** cancel);
// An amount field: eight digits, digits and backspace only.
QLineEdit* amountEdit(const QString& objectName, QWidget* parent);
// A list of formatted lines in the figure font, wide enough for `columns` half-width cells.
QListWidget* lineList(const QString& objectName, int columns, int rows, QWidget* parent);
// A list as tall as its `rows` lines, for lists that hold at most that many (results).
QListWidget* fullList(const QString& objectName, int columns, int rows, QWidget* parent);
// Replaces the list's lines.
void setLines(QListWidget* list, const std::vector<std::string>& lines);
// The selected line, or -1 when none is selected.
int selectedLine(const QListWidget* list);
// Radio items "1".."n", or " 1".."18" with pad (horse numbers line up).
QStringList numberItems(int n, bool pad);

}  // namespace tovra
