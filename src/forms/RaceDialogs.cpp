#include "forms/RaceDialogs.h"

#include "forms/Kounyudialogunit.h"
#include "forms/Racecomentodialogunit.h"
#include "forms/Racekekadialogunit.h"
#include "forms/Racekoumokudialogunit.h"
#include "ledger/datastore.hpp"

namespace tovra {

namespace {
template <class Dialog>
bool saved(QWidget* parent) {
  Dialog dlg(parent);
  return dlg.exec() == QDialog::Accepted;
}
}  // namespace

bool runRaceDialog(DataStore& ds, RaceDialog which, int race, QWidget* parent) {
  ds.raceIndex = race;
  ds.readRaceBlock(ds.shown());
  switch (which) {
    case RaceDialog::Koumoku: return saved<TRaceKoumokuDialog>(parent);
    case RaceDialog::Kounyu: return saved<TKounyuDialog>(parent);
    case RaceDialog::Keka: return saved<TRaceKekaDialog>(parent);
    case RaceDialog::Comento: return saved<TRaceComentoDialog>(parent);
  }
  return false;
}

}  // namespace tovra
