#pragma once
// The plain parts of the program's start-up: bringing the ledger up once the years are
// known (the import folder settings are import/import_folders.hpp).

namespace tovra {

class DataStore;
struct SettingsRecord;

// After the current year is known: counts the meetings of every course and makes the
// start course of the settings current (its first meeting is the one shown).
void openLedger(DataStore& ds, const SettingsRecord& s);

}  // namespace tovra
