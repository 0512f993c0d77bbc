#pragma once
// What the three search dialogs share: GroupBox1 "検索範囲" with HanBtn1 "登録済全ﾃﾞｰﾀ"
// (checked at start), HanBtn2 "年次指定" and NentsugiBox (the registered years, the current
// one selected, enabled only with HanBtn2), and TekiCheckBox "的中ﾚｰｽのみ".
#include <QWidget>
#include <vector>

#include "tally/tally_common.hpp"

class QCheckBox;
class QComboBox;
class QDialog;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace tovra {

class DataStore;

class KensakuRange : public QWidget {
  Q_OBJECT
 public:
  KensakuRange(const DataStore& ds, QWidget* parent);
  // Every registered year, or the year chosen in NentsugiBox.
  tally::TallyRange range() const;
  bool hitOnly() const;

 public slots:
  void HanBtn1Click();
  void HanBtn2Click();

 private:
  QRadioButton* han1_;
  QRadioButton* han2_;
  QComboBox* nentsugi_;
  QCheckBox* teki_;
  std::vector<int> years_;
};

// KensakuBtn "検索開始" (the default button) over CancelBtn "ｷｬﾝｾﾙ" (closes the dialog with
// Rejected), pushed to the bottom of a column.
QVBoxLayout* kensakuButtons(QDialog* dialog, QPushButton** kensaku);

}  // namespace tovra
