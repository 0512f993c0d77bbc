#pragma once
// 馬単, 3連複 and 3連単 of a race: buying a line, entering winning combinations, special
// payouts and scratched horses, each one change of the bet store, checked first by the
// same rules wherever it is made (the race windows and tovra-cli). A meeting day of the
// ledger names its races by date in the store; the course files are never touched here.
#include <optional>
#include <string>
#include <vector>

#include "domain/bet_points.hpp"
#include "domain/new_bet_settlement.hpp"
#include "storage/bet_store.hpp"
#include "storage/ledger.hpp"
#include "storage/outcome.hpp"

namespace tovra {

// The date key of a meeting day as its meeting record holds it.
DateKey dateKeyOf(const DayKey& key, const KaisaiRecord& meeting);
// Race r (0..11) of that day.
RaceKey raceKeyOf(const DayKey& key, const KaisaiRecord& meeting, int r);

// A stored line read as what was bought, and back (its points as counted when bought).
PurchaseLine purchaseLineOf(const StoredLine& line);
StoredLine storedLineOf(const PurchaseLine& line, int points);
// The lines and results of a stored race as settlement reads them.
std::vector<PurchaseLine> purchaseLinesOf(const StoredRace& race);
NewBetResults resultsOf(const StoredRace& race);

// The runners of a race as its card lists them (horse numbers whose name or frame is
// entered); empty when the card is blank, and then every horse 1-18 may be named.
Horses runnersOf(const RaceRecord& race);

// The refusals of the operations (UTF-8; shown as "確認").
namespace msg {
inline constexpr const char* kNotARunner = "出走表にない馬番です。";
inline constexpr const char* kComboSize2 = "着順の馬番を 2つ入力して下さい。";
inline constexpr const char* kComboSize3 = "着順の馬番を 3つ入力して下さい。";
inline constexpr const char* kPayoutRange = "払戻金は 100円につき 10～999999990円で入力して下さい。";
inline constexpr const char* kSpecialRange = "特払は 100円につき 10～999999990円で入力して下さい。";
inline constexpr const char* kWinnerTwice = "同じ組み合わせが登録されています。";
inline constexpr const char* kFrameRange = "枠番は 1～8 で指定して下さい。";
inline constexpr const char* kNoSuchLine = "指定された行はありません。";
}  // namespace msg

// Checks a line against its race (the card's runners); its number of points, or the
// refusal.
Result<int> checkLineForRace(const PurchaseLine& line, const RaceRecord& race);
// Buys a line: checked as above, then added after the race's other lines.
Result<StoredLine> buyLine(BetStore& store, const RaceKey& key, const RaceRecord& race, const PurchaseLine& line);
// Deletes the race's n-th line (1-based).
Status deleteLine(BetStore& store, const RaceKey& key, int n);

// A winning combination checked: horses 1-18 (runners when the card has any), distinct,
// two for 馬単 and three for the others; a payout from 10 to 999,999,990 yen per 100 yen.
std::optional<Refusal> checkWinner(NewBetType type, const Combination& combo, std::int64_t payout,
                                   const RaceRecord& race);
// Adds a winning combination (a dead heat has several); the same combination twice is
// refused. 3連複 combinations are kept ascending.
Status addWinner(BetStore& store, const RaceKey& key, const RaceRecord& race, NewBetType type, Combination combo,
                 std::int64_t payout);
Status deleteWinner(BetStore& store, const RaceKey& key, NewBetType type, int n);
// A special payout checked: 10 to 999,999,990 yen per 100 yen.
std::optional<Refusal> checkSpecial(std::int64_t payout);
// Sets the type's special payout (checked as above).
Status setSpecial(BetStore& store, const RaceKey& key, NewBetType type, std::int64_t payout);
// Removes the type's winning combinations and special payout.
Status clearResult(BetStore& store, const RaceKey& key, NewBetType type);
// Marks the scratched horses (1-18) and the refunded 枠連 frames (1-8); empty lists clear.
Status setScratch(BetStore& store, const RaceKey& key, Horses horses, std::vector<int> frames);

// What the store holds of a race, settled.
struct SettledRace {
  StoredRace stored;
  NewBetSettlement settlement;
};
SettledRace settleStoredRace(const StoredRace& race);

}  // namespace tovra
