#pragma once
// A page of the purchase dialog for 馬単 (Tab5), 3連複 (Tab6) or 3連単 (Tab7), named by the
// type's prefix P ("Umatan", "Sanrenpuku", "Sanrentan"): the 入力方法 group (PNyuGroup:
// 通常, ﾎﾞｯｸｽ, 流し, ﾌｫｰﾒｰｼｮﾝ); three columns of horse toggles (PGroup1..3 holding
// PCheck1_1..PCheck3_18; 馬単 has two); for the ordered types the 流し axis place
// (PPlaceGroup) and ﾏﾙﾁ (PMultiCheck); the amount (PGakuEdit, in 100 yen per point), 追加
// (PTsuikaBtn), 削除 (PSakujyoBtn); the points and cost of the line picked (PTenLabel),
// its sets (PKumiLabel) and the race's lines of the type (PListBox).
//
// A digit typed on a toggle moves the focus to that horse's toggle in the same column
// (two digits in a row make 10-18), Space then ticks it. The dialog connects 追加 and 削除.
#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "domain/bet_points.hpp"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tovra {

class RadioGroupBox;
class UserPort;

class NewBetPage : public QWidget {
  Q_OBJECT
 public:
  NewBetPage(NewBetType type, UserPort& port);

  // "Umatan", "Sanrenpuku", "Sanrentan": the start of every control's name.
  static QString prefix(NewBetType type);
  NewBetType type() const { return type_; }
  // As the dialog opens: 通常, nothing ticked, no amount.
  void reset();
  // The line as picked now; the stake is 0 while the amount is empty.
  PurchaseLine line() const;
  QLineEdit* amountField() const { return amountEdit_; }
  QPushButton* addButton() const { return addBtn_; }
  QPushButton* deleteButton() const { return deleteBtn_; }
  QListWidget* list() const { return list_; }
  // Replaces the lines listed.
  void setLines(const std::vector<std::string>& lines);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int columns() const { return pointSize(type_); }
  BetMethod method() const;
  void applyMethod();
  void ticked(int column, int horse, bool on);
  void refreshCount();

  NewBetType type_;
  UserPort& port_;
  RadioGroupBox* nyuGroup_;
  std::array<QGroupBox*, 3> groups_{};
  std::array<std::vector<QCheckBox*>, 3> checks_;
  RadioGroupBox* placeGroup_ = nullptr;
  QCheckBox* multiCheck_ = nullptr;
  QLineEdit* amountEdit_;
  QPushButton* addBtn_;
  QPushButton* deleteBtn_;
  QLabel* tenLabel_;
  QLabel* kumiLabel_;
  QListWidget* list_;
  // The axis horses in the order ticked (流し with two axis horses: the first ticked
  // stands at the first place named).
  std::vector<int> axisOrder_;
  // The horse number typed so far on a toggle, and its column.
  int typed_ = 0;
  int typedColumn_ = -1;
  bool applying_ = false;
};

}  // namespace tovra
