#pragma once
// The plain parts of the program's start-up: bringing the ledger up once the years are
// known (the import folder settings are import/import_folders.hpp).
#include "ledger/ledger.hpp"
#include "ledger/outcome.hpp"
#include "mainwindow/main_selection.hpp"

namespace tovra {

struct SettingsRecord;

// After the current year is set in `sel`: counts the meetings of every course (code 2)
// and makes the start course of the settings current (its first meeting is the one shown).
Status openLedger(const Ledger& ledger, MainSelection& sel, const SettingsRecord& s);

}  // namespace tovra
