#pragma once
// The pages of the seven print kinds. Each builds a draw list from what its window shows:
// a meeting day and its race block (kinds 1-3) or a tally's result with the window's
// position (kinds 4-7). Nothing is read from files here.
#include "features/print/draw_list.hpp"
#include "storage/ledger.hpp"

namespace tovra {
struct NenjiTable;
struct SettingsRecord;
struct RaceBets;
struct DayBets;
}  // namespace tovra

namespace tovra::tally {
struct ShushiResult;
struct KoumokuResult;
struct RankResult;
struct JyokenResult;
}  // namespace tovra::tally

namespace tovra::print {

// Kind 1: the meeting day `day` of `key` (its year and course name the day). With `bets`,
// the 馬単, 3連複 and 3連単 of each race holding them and the day's 全式別 figures follow
// the day total (bets_print.hpp); without them, or with none, the page is the record's.
Document meetingDocument(const DayKey& key, const MeetingDay& day, const DayBets* bets = nullptr);
// Kind 2: race r (0-11) of the meeting day. Long ticket lists that would run into the
// totals continue on a second page; the race's 馬単, 3連複 and 3連単, when `bets` holds
// any, on the pages after.
Document raceDocument(const DayKey& key, const MeetingDay& day, const SettingsRecord& settings, int r,
                      const RaceBets* bets = nullptr);
// Kind 3: the runners of race r.
Document runnersDocument(const DayKey& key, const MeetingDay& day, int r);
// Kind 4: the income tally at the window's scroll position (0 = all rows, a = row a - 1).
Document shushiDocument(const tally::ShushiResult& result, int position, const NenjiTable& nenji,
                        const std::string& currentYear);
// Kind 5: the item tally for course n (0-9, 10 = all courses), page `tab` (0-8) of the window.
Document koumokuDocument(const tally::KoumokuResult& result, int course, int tab);
inline constexpr int kKoumokuTabs = 9;
// Kind 6: the rank tally's page p as the window shows it.
Document rankDocument(const tally::RankResult& result, int page);
// Kind 7: the condition tally.
Document jyokenDocument(const tally::JyokenResult& result);

}  // namespace tovra::print
