#pragma once
// RaceItemsDialog "ﾚｰｽﾃﾞｰﾀ ： ﾚｰｽ項目登録": the items, distance and name of one race of a
// copy of its meeting day. 登録 and 全て削除 settle the race and write the day, then close
// with Accepted (the caller takes editedDay() and redraws); ｷｬﾝｾﾙ changes nothing.
#include <QDialog>
#include <array>

#include "storage/ledger.hpp"

class QComboBox;
class QLabel;
class QLineEdit;

namespace tovra {

class DataStore;
class RadioGroupBox;
class UserPort;

class RaceItemsDialog : public QDialog {
  Q_OBJECT
 public:
  // Race `race` (0..11) of `day`, the day held at `key` in the store's ledger.
  RaceItemsDialog(DataStore& store, UserPort& port, const DayKey& key, const MeetingDay& day, int race,
                  QWidget* parent = nullptr);
  // The day as 登録 or 全て削除 wrote it.
  const MeetingDay& editedDay() const { return day_; }

 public slots:
  void registerItems();
  void deleteItems();

 private:
  void showStoredItems();
  void fitRaceName(const QString& text);
  // Keeps the day written, or shows the refusal; true when written.
  bool keep(Result<MeetingDay> outcome);
  DataStore& store_;
  UserPort& port_;
  DayKey key_;
  MeetingDay day_;
  int race_;
  QLabel* dayLabel_;
  QLineEdit* raceNameEdit_;
  QComboBox* kyoriBox_;
  std::array<RadioGroupBox*, 7> groups_{};  // in the order of the items code
};

}  // namespace tovra
