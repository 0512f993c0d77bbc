#pragma once
// A page of ﾚｰｽ結果 for 馬単 (Tab4), 3連複 (Tab5) or 3連単 (Tab6), laid out as the 枠連 and
// ﾜｲﾄﾞ・馬連 pages: a number group per place on the left (<P>Group1..3, "1着" "2着" "3着";
// 3連複 "馬番"), on the right the winning combinations (<P>ListBox: more than one after a
// dead heat), the payout row (<P>GakuEdit, 追加 <P>TsuikaBtn, 削除 <P>SakujyoBtn) and the
// 特払 row (<P>TokuEdit, 特払 <P>TokuBtn, 解除 <P>TokuKeshiBtn, the amount set in
// <P>TokuLabel). <P> is Umatan, Sanrenpuku or Sanrentan. The dialog connects the buttons.
#include <QWidget>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "domain/bet_points.hpp"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tovra {

class RadioGroupBox;
class UserPort;

class NewResultPage : public QWidget {
  Q_OBJECT
 public:
  NewResultPage(NewBetType type, UserPort& port);

  NewBetType type() const { return type_; }
  // The objectName prefix of the page's controls.
  static QString prefix(NewBetType t);
  // As the dialog opens: no amounts, the places on horses 1, 2 (and 3).
  void reset();
  // The checked horse of each place (the third 0 for 馬単).
  Combination combination() const;
  std::string payoutText() const;
  std::string specialText() const;
  QLineEdit* payoutField() const { return payoutEdit_; }
  QLineEdit* specialField() const { return specialEdit_; }
  QListWidget* list() const { return list_; }
  QPushButton* addButton() const { return addBtn_; }
  QPushButton* deleteButton() const { return deleteBtn_; }
  QPushButton* specialButton() const { return specialBtn_; }
  QPushButton* specialClearButton() const { return specialClearBtn_; }
  // Shows the winning combinations and the special payout (yen per 100 yen) as entered.
  void showResults(const std::vector<std::pair<Combination, std::int64_t>>& winners,
                   std::optional<std::int64_t> special);

 private:
  NewBetType type_;
  std::array<RadioGroupBox*, 3> groups_{};
  QListWidget* list_;
  QLineEdit* payoutEdit_;
  QLineEdit* specialEdit_;
  QLabel* specialLabel_;
  QPushButton* addBtn_;
  QPushButton* deleteBtn_;
  QPushButton* specialBtn_;
  QPushButton* specialClearBtn_;
};

// One line of a page's list: the combination in finishing order and the payout, as the old
// pages write theirs ("  3-7-12     298329500円").
std::string newResultLine(NewBetType t, const Combination& combo, std::int64_t payout);

}  // namespace tovra
