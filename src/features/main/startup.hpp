#pragma once
// The plain parts of the program's start-up: bringing the ledger up once the years are
// known (the import folder settings are features/import/import_folders.hpp).
#include "features/main/main_selection.hpp"
#include "storage/ledger.hpp"
#include "storage/outcome.hpp"

namespace tovra {

struct SettingsRecord;

// Counts the meetings of every course of the open year (code 2) and makes the start
// course of the settings current (its first meeting is the one shown).
Status openLedger(const Ledger& ledger, const std::string& year, MainSelection& sel, const SettingsRecord& s);

}  // namespace tovra
