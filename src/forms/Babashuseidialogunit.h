#pragma once
// TBabaShuseiDialog "ﾚｰｽﾃﾞｰﾀ ： 馬場状態修正": the going of every race of the meeting day
// shown that has items. 修正 writes the race block and closes with Accepted;
// ｷｬﾝｾﾙ closes without writing.
#include <QDialog>
#include <array>
#include <memory>

class QLabel;

namespace tovra {

class DataStore;

class GoingSheet;
class RadioGroupBox;

class TBabaShuseiDialog : public QDialog {
  Q_OBJECT
 public:
  // On the meeting day shown in `ds`.
  explicit TBabaShuseiDialog(DataStore& ds, QWidget* parent = nullptr);
  ~TBabaShuseiDialog() override;

 public slots:
  void RyouBtnClick() { selectAll(0); }
  void YayaBtnClick() { selectAll(1); }
  void OmoBtnClick() { selectAll(2); }
  void FuryoBtnClick() { selectAll(3); }
  void ShuseiBtnClick();

 private:
  void selectAll(int item);
  void showSheet();
  DataStore& ds_;
  std::unique_ptr<GoingSheet> sheet_;
  QLabel* dayLabel_;
  std::array<RadioGroupBox*, 12> groups_{};
};

}  // namespace tovra
