#pragma once
// What every import shares around its reader: it starts from the meeting day as stored
// (the race window closed, the day read again), fills the day in memory, settles the
// twelve races, and only 登録 writes; ｷｬﾝｾﾙ reads the day again.
#include <functional>
#include <string>

namespace tovra {

class DataStore;

struct ImportHooks {
  std::function<void()> closeRaceWindow;  // may be empty (the CLI has none)
};

// The file an import read, as its confirmation names it: the path and the date the file
// gives of itself ("" when it gives none), UTF-8.
struct ImportSource {
  std::string file, date;
};
// "path  2001年11月25日" (the path alone when the file gives no date).
std::string importSourceText(const ImportSource& s);

// The import's start: closes the race window and reads the meeting day shown again,
// so that the import starts from what is stored.
void beginImport(DataStore& ds, const ImportHooks& hooks);
// 登録: writes the meeting record and its twelve races (the races are already settled).
void storeImport(DataStore& ds);
// ｷｬﾝｾﾙ: reads the meeting day back from the files, dropping the import.
void discardImport(DataStore& ds);

// "%d月%2d日 %d回  %d日目  %s競馬場" of the meeting day shown (UTF-8), the label of
// every import dialog.
std::string importDayLabel(const DataStore& ds);

}  // namespace tovra
