#pragma once
// PurchaseDialog "ﾚｰｽﾃﾞｰﾀ ： 購入馬券登録": the tickets bought on one race of a copy of its
// meeting day, on four pages (単勝・複勝, 枠連, ﾜｲﾄﾞ, 馬連) with the shared keypad, and the
// race's 馬単, 3連複 and 3連単 lines on three more (NewBetPage). Adds and deletes change the
// copy and the pending new-type lines; 登録 settles the race, writes the day, then applies
// the pending lines to the bet store and closes with Accepted (the caller takes editedDay()
// and redraws); ｷｬﾝｾﾙ drops both.
#include <QDialog>
#include <array>
#include <memory>
#include <optional>

#include "features/bets/pending_lines.hpp"
#include "features/entry/purchase.hpp"
#include "storage/ledger.hpp"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;

namespace tovra {

class AmountKeypad;
class BetStore;
class DataStore;
class NewBetPage;
class UserPort;
class RadioGroupBox;
class WinPlacePage;

class PurchaseDialog : public QDialog {
  Q_OBJECT
 public:
  // Race `race` (0..11) of `day`, the day held at `key` in the store's ledger.
  PurchaseDialog(DataStore& store, BetStore& bets, UserPort& port, const DayKey& key, const MeetingDay& day, int race,
                 QWidget* parent = nullptr);
  ~PurchaseDialog() override;
  // The day as 登録 wrote it (the copy as edited so far before that).
  const MeetingDay& editedDay() const { return day_; }

 public slots:
  void addWinPlaceTicket();
  void removeWinPlaceTicket();
  void registerTickets();

 private:
  // One pair page (枠連, ﾜｲﾄﾞ or 馬連) and its controls.
  struct PairPage {
    BetType type;
    RadioGroupBox* group1;
    RadioGroupBox* group2;
    QLabel* bouLabel;
    QGroupBox* group3;
    std::vector<QCheckBox*> checks;
    RadioGroupBox* nyuGroup;
    QLineEdit* gakuEdit;
    QListWidget* listBox;
    QLabel* atoLabel;
  };
  QWidget* buildTanPage();
  QWidget* buildPairPage(PairPage& page, const QString& prefix, const QString& bouName, const QString& deleteName);
  void resetPages();
  void applyInputMethod(PairPage& page, int method);
  void addPairTickets(PairPage& page);
  void removePairTicket(PairPage& page);
  void pointKeypadAtPage(int index);
  void refreshList(BetType t);
  void refreshAtoLabels();
  QListWidget* listOf(BetType t) const;
  // The new-type pages' 追加 and 削除; the refusal of an unusable store when there is one.
  void addNewLine(NewBetPage& page);
  void removeNewLine(NewBetPage& page);
  bool newTypesUsable();
  void refreshNewList(NewBetPage& page);

  DataStore& store_;
  BetStore& bets_;  // 馬単, 3連複 and 3連単 of the race
  UserPort& port_;
  DayKey key_;
  MeetingDay day_;
  int race_;
  std::unique_ptr<PurchaseBook> book_;
  QLabel* dayLabel_;
  QTabWidget* page_;
  WinPlacePage* tanPage_;
  std::array<PairPage, 3> pairs_{};  // 枠連, ﾜｲﾄﾞ, 馬連
  AmountKeypad* keypad_;
  std::array<NewBetPage*, 3> newPages_{};  // 馬単, 3連複, 3連単
  // The race's new-type lines with the changes not yet applied; the store's refusal when
  // it could not be read (the old pages work all the same).
  std::unique_ptr<PendingLines> pending_;
  std::optional<Refusal> storeRefusal_;
};

}  // namespace tovra
