#include "forms/RaceDialogs.h"

#include "forms/Kounyudialogunit.h"
#include "forms/Racecomentodialogunit.h"
#include "forms/Racekekadialogunit.h"
#include "forms/Racekoumokudialogunit.h"
#include "ledger/datastore.hpp"

namespace tovra {

namespace {
template <class Dialog>
bool saved(DataStore& ds, UserPort& port, QWidget* parent) {
  Dialog dlg(ds, port, parent);
  return dlg.exec() == QDialog::Accepted;
}
}  // namespace

bool runRaceDialog(DataStore& ds, UserPort& port, RaceDialog which, int race, QWidget* parent) {
  ds.raceIndex = race;
  ds.readRaceBlock(ds.shown());
  switch (which) {
    case RaceDialog::Koumoku: return saved<TRaceKoumokuDialog>(ds, port, parent);
    case RaceDialog::Kounyu: return saved<TKounyuDialog>(ds, port, parent);
    case RaceDialog::Keka: return saved<TRaceKekaDialog>(ds, port, parent);
    case RaceDialog::Comento: return saved<TRaceComentoDialog>(ds, port, parent);
  }
  return false;
}

}  // namespace tovra
