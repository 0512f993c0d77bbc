#pragma once
// The item tally's categories: which slot of a category a bought race falls into.
// Every function answers -1 when the race falls in no slot of that category.
#include <cstdint>

#include "storage/records.hpp"

namespace tovra::tally::koumoku_slot {

// From the race items (`koumoku`; only for races with items entered).
int age(std::uint32_t koumoku);        // 2歳, 3歳, 3歳上, 4歳上
int weight(std::uint32_t koumoku);     // 馬齢, 別定, 定量, ﾊﾝﾃﾞ
int kind(std::uint32_t koumoku);       // 混合 … 抽市馬; 九州産馬限定 (7) has no slot
int sex(std::uint32_t koumoku);        // 牡牝戦, 牝馬限定; 牡馬限定 (3) has no slot
int raceClass(std::uint32_t koumoku);  // nine classes; 未出走 with 新馬, 400万下 with 500万下, ...
int going(std::uint32_t koumoku);      // 良, 稍重, 重, 不良
int track(std::uint32_t koumoku);      // 芝, ﾀﾞｰﾄ, 障害
int distance(int kyori);               // 1000-1400, 1600-1800, 2000-2400, 2500-2900, 3000-

int season(int tsukiHi);              // months 1-3, 4-6, 7-9, 10-12
int umarenTickets(int n);             // 1, 2-4, 5-7, 8-10, 11-
int amount(std::int32_t yen);         // ~1000, 1100-3000, ..., 50100-
int payoutBand(std::int32_t payout);  // ~990, 1000-1990, ..., 9000-9990, 10000-

}  // namespace tovra::tally::koumoku_slot

namespace tovra::tally {
// 馬連 tickets of a race: entries of `umaGaku` from the first up to the first 0 (at most 50).
int umarenTicketCount(const RaceRecord& race);
// A 馬連 ticket (up to the first 0 code) has both horses among the race's 複勝 result horses.
bool umarenPairPlaced(const RaceRecord& race);
}  // namespace tovra::tally
