#pragma once
// YearDialog "年次処理": registers a new racing year or deletes one.
// After a change it closes (Registered or Deleted) and holds what changed: the window
// that opened it shows the current year, then gives the notice. A refused year keeps it
// open with the refusal's message; ｷｬﾝｾﾙ closes with Rejected.
#include <QDialog>
#include <optional>

class QListWidget;
class QLineEdit;
class QPushButton;

#include "features/years/years.hpp"
#include "storage/ledger_events.hpp"

namespace tovra {

class DataStore;
class UserPort;

class YearDialog : public QDialog {
  Q_OBJECT
 public:
  enum Result { Registered = 2, Deleted = 3 };
  // On the ledger of `ds` (its files; a file error ends there), the list `years` with the
  // year `currentYear` in use; a deleted year's rows of the bet store go with it.
  YearDialog(DataStore& ds, BetStore& bets, const LedgerEvents& events, const NenjiTable& years, int currentYear,
             UserPort& port, QWidget* parent = nullptr);
  // What the dialog changed, once it closed with Registered or Deleted.
  const std::optional<YearRegistered>& registered() const { return registered_; }
  const std::optional<YearDeleted>& deleted() const { return deleted_; }

 public slots:
  void addYear();
  void deleteChosenYear();

 private:
  void fillNenBox();
  DataStore& ds_;
  BetStore& bets_;
  const LedgerEvents& events_;
  NenjiTable years_;
  int currentYear_;
  UserPort& port_;
  std::optional<YearRegistered> registered_;
  std::optional<YearDeleted> deleted_;
  QListWidget* nenBox_;
  QLineEdit* nenEdit_;
};

}  // namespace tovra
