#pragma once
// GoingDialog "ﾚｰｽﾃﾞｰﾀ ： 馬場状態修正": the going of every race with items of a copy
// of a meeting day. 修正 writes the race block and closes with Accepted (the caller takes
// editedRaces()); ｷｬﾝｾﾙ closes without writing.
#include <QDialog>
#include <array>
#include <memory>

#include "storage/ledger.hpp"

class QLabel;

namespace tovra {

class DataStore;
class GoingSheet;
class RadioGroupBox;

class GoingDialog : public QDialog {
  Q_OBJECT
 public:
  // The day `day`, held at `key` in the store's ledger.
  GoingDialog(DataStore& store, const DayKey& key, const MeetingDay& day, QWidget* parent = nullptr);
  ~GoingDialog() override;
  // The race block as 修正 wrote it (as the dialog opened before that).
  const RaceBlock& editedRaces() const { return races_; }

 public slots:
  void setAllGood() { selectAll(0); }
  void setAllSlightlyHeavy() { selectAll(1); }
  void setAllHeavy() { selectAll(2); }
  void setAllBad() { selectAll(3); }
  void applyGoing();

 private:
  void selectAll(int item);
  void showSheet();
  DataStore& store_;
  DayKey key_;
  RaceBlock races_;
  std::unique_ptr<GoingSheet> sheet_;
  QLabel* dayLabel_;
  std::array<RadioGroupBox*, 12> groups_{};
};

}  // namespace tovra
