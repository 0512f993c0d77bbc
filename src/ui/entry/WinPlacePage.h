#pragma once
// The 単勝・複勝 page (Tab1) of the purchase and the result dialog: the 番号 group
// (TanGroup) on the left; on the right the 単勝/複勝 switch (TanBtn, FukuBtn), the two
// lists (TanListBox, FukuListBox) under their captions and the amount row (TanGakuEdit,
// 追加 TanTsuikaBtn, 削除 TanSakujyobtn). The switch enables the list of its type and
// greys the other; the dialog connects 追加 and 削除 and acts on type().
#include <QWidget>
#include <string>

#include "domain/bet_types.hpp"

class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace tovra {

class RadioGroupBox;
class UserPort;

class WinPlacePage : public QWidget {
  Q_OBJECT
 public:
  enum class Use {
    // Tickets: five lines a list with "あと n点" beside each caption, amounts in 100 yen.
    Purchase,
    // Payouts: each list as tall as the results it can hold (2 単勝, 4 複勝), amounts in 10 yen.
    Result,
  };
  // A refused key in the amount field beeps through `port`.
  WinPlacePage(Use use, UserPort& port);

  // As the dialog opens: no amount, 番号 1, 単勝 chosen.
  void reset();
  // 単勝 or 複勝, as the switch stands.
  BetType type() const;
  // The checked 番号 (1..18), 0 when none is.
  int number() const;
  std::string amountText() const;
  // The field the keypad types into while this page is shown.
  QLineEdit* amountField() const { return amountEdit_; }
  // TanListBox for 単勝, FukuListBox for 複勝.
  QListWidget* list(BetType t) const;
  QPushButton* addButton() const { return addBtn_; }
  QPushButton* deleteButton() const { return deleteBtn_; }
  // Purchase only: the text beside the caption of type t's list ("あと n点").
  void setRemaining(BetType t, const std::string& text);

 private:
  UserPort& port_;
  void buildPurchaseSide(QGridLayout* grid);
  void buildResultSide(QGridLayout* grid);

  RadioGroupBox* group_;
  QRadioButton* tanBtn_;
  QRadioButton* fukuBtn_;
  QListWidget* tanList_ = nullptr;
  QListWidget* fukuList_ = nullptr;
  QLabel* tanRemaining_ = nullptr;
  QLabel* fukuRemaining_ = nullptr;
  QLineEdit* amountEdit_ = nullptr;
  QPushButton* addBtn_ = nullptr;
  QPushButton* deleteBtn_ = nullptr;
};

}  // namespace tovra
