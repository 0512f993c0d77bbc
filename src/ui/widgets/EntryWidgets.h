#pragma once
// Small builders the race entry dialogs share, so their pages look and behave alike.
#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class QDialog;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QVBoxLayout;
class QWidget;

namespace tovra {

class AmountKeypad;
class UserPort;

// A push button that never becomes the default (Enter in an amount field adds nothing).
QPushButton* entryButton(const QString& objectName, const QString& caption, QWidget* parent);
// The 登録 (TourokuBtn) and ｷｬﾝｾﾙ (CancelBtn) buttons stacked in one column.
QVBoxLayout* registerCancelColumn(QWidget* parent, QPushButton** touroku, QPushButton** cancel);
// The frame of the purchase and result dialogs: the day (DayLabel) on top, the pages
// (Page) at the left, the keypad at the top right, 登録 and ｷｬﾝｾﾙ at the bottom right.
// `addPages` adds the pages before the keypad is made, so Tab runs through the pages first.
struct KeypadFrame {
  QLabel* dayLabel;
  QTabWidget* pages;
  AmountKeypad* keypad;
  QPushButton* touroku;
  QPushButton* cancel;
};
KeypadFrame keypadFrame(QDialog* dialog, UserPort& port, const std::function<void(QTabWidget*)>& addPages);
// An amount field: eight digits, digits and backspace only.
QLineEdit* amountEdit(const QString& objectName, UserPort& port, QWidget* parent);
// A list of formatted lines in the figure font, wide enough for `columns` half-width cells.
QListWidget* lineList(const QString& objectName, int columns, int rows, QWidget* parent);
// A list as tall as its `rows` lines, for lists that hold at most that many (results).
QListWidget* fullList(const QString& objectName, int columns, int rows, QWidget* parent);
// The amount field followed by its unit ("00円": tickets are bought in units of 100 yen).
QHBoxLayout* amountRow(QLineEdit* edit, const QString& unit, QWidget* parent);
// The amount field followed by "0円" (payouts are typed in units of 10 yen), then 追加 and 削除.
QHBoxLayout* payoutRow(QLineEdit* edit, QPushButton* add, QPushButton* del, QWidget* parent);
// Lists under their captions from the top of a column, nothing between caption and list.
QVBoxLayout* captioned(std::initializer_list<std::pair<const char*, QListWidget*>> lists, QWidget* parent);
// The two lists behind a type switch (単勝/複勝, ﾜｲﾄﾞ/馬連): the chosen one takes input, the
// other is greyed and loses its selection, so 削除 acts on the chosen type only.
void chooseList(QListWidget* on, QListWidget* off);
// Replaces the list's lines.
void setLines(QListWidget* list, const std::vector<std::string>& lines);
// The selected line, or -1 when none is selected.
int selectedLine(const QListWidget* list);
// Radio items "1".."n", or " 1".."18" with pad (horse numbers line up).
QStringList numberItems(int n, bool pad);

}  // namespace tovra
