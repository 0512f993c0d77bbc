#pragma once
// 馬単, 3連複 and 3連単 on the race and meeting prints: the lines with their hit and refund
// marks, the winning combinations, 特払 and scratches, and the 全式別 figures, as the race
// window lists them. They follow the page's own content, one blank line below it, and go
// on over as many pages as they need. A race or day without a row of the bet store
// prints nothing more.
#include <optional>

#include "features/bets/race_figures.hpp"
#include "features/print/draw_list.hpp"
#include "storage/ledger.hpp"

namespace tovra {
class BetStore;
}

namespace tovra::print {

// The width of a printed row of lines and results, in Shift-JIS bytes.
inline constexpr int kBetsRowWidth = 70;

// What the store holds of race r (0-11) of the day, settled; nothing when the store holds
// no row of it or cannot be read (the print is then the record's alone).
std::optional<RaceBets> printedRaceBets(BetStore& store, const DayKey& key, const MeetingDay& day, int r);
// The same of the whole day; nothing when no race of it holds a row.
std::optional<DayBets> printedDayBets(BetStore& store, const DayKey& key, const MeetingDay& day);

// Adds the race's new-type sections below the race print's content (the next page: its
// first page is full). Continuation pages repeat the title, the day and the race line.
void addRaceBets(Document& doc, const RaceBets& bets);
// Adds, below the meeting print's day total, the sections of each race holding rows and
// the day's 全式別 figures. Continuation pages repeat the title and the day.
void addDayBets(Document& doc, const KaisaiRecord& meeting, const DayBets& bets);

}  // namespace tovra::print
