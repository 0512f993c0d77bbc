#pragma once
// The files of the PAT betting software, by PAT kind (0 PC-9801, 1 Win 3.1, 2 Win95,
// 3 Win98/95): the purchase index and purchase files (bought tickets), the result files
// "Ks-*.*" (finishers and payouts) and the entries files "De-*.*" (runners). Readers of
// bytes only; they never read outside what they are given.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "features/import/fields.hpp"
#include "storage/records.hpp"

namespace tovra {

// The program file that shows a kind is installed ("" for kind 0, which is not checked).
const char* patProgramFile(int kind);
// The purchase index of a kind: "lg-fname.jra" (0) or "lg-file.jra".
const char* patIndexFile(int kind);

struct PatIndexEntry {
  std::string file;  // the purchase file's name (kinds 1..3: the stem + ".jra")
  std::string year;  // kinds 2 and 3 only
  int tsukiHi = 0;
};
// The index entries (10 or 100; those the file holds whole).
std::vector<PatIndexEntry> readPatIndex(int kind, std::span<const std::uint8_t> data);
// An entry of the displayed day: its date, and for kinds 2 and 3 its year text.
bool patIndexEntryMatches(int kind, const PatIndexEntry& e, const MeetingKey& key);

struct PatTicket {
  int course = 0;   // 1..10
  int race = 0;     // 1..12
  int type = 0;     // 1 単勝 2 複勝 3 枠連 4 馬連 5 ﾜｲﾄﾞ
  int numbers = 0;  // a horse number, or first * 100 + second
  int stake = 0;    // units of 100 yen
};
// The ticket records of a purchase file up to its end condition.
std::vector<PatTicket> readPatPurchaseFile(int kind, std::span<const std::uint8_t> data);

// Appends the tickets of the displayed course to the races that held no bought ticket
// when the read began (`boughtBefore`: units digit 2 of raceJoutai then). Tickets whose
// numbers no ticket can have are passed over. Race numbers taken are added to `taken`.
void applyPatTickets(const std::vector<PatTicket>& tickets, int kind, const MeetingKey& key,
                     const std::array<bool, kRacesPerDay>& boughtBefore, RaceBlock& races, std::vector<int>& taken);

// One result file: when its head is the displayed day's and its race number 1..12, its
// finishers and payouts replace the race's; returns the race number, else 0.
int readPatResultFile(int kind, std::span<const std::uint8_t> data, const MeetingKey& key, RaceBlock& races);
// One entries file likewise for the runners.
int readPatEntriesFile(std::span<const std::uint8_t> data, const MeetingKey& key, RaceBlock& races);

// The text of one read: the distinct race numbers ascending as " %2dR", or the read's
// "no data" text when there is none.
std::string patRaceText(std::vector<int> races, const char* noneUtf8);

}  // namespace tovra
