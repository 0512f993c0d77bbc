#pragma once
// WIN5: the winners of five designated races of one day, bought as five horse sets and
// a stake per combination. A line's combinations are every choice of one horse per leg;
// the result is the winning combinations (two or more after a dead heat in a leg), each
// with its payout per 100 yen. Plain values in, plain values out; no file access.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "domain/bet_points.hpp"
#include "domain/new_bet_settlement.hpp"
#include "storage/outcome.hpp"

namespace tovra {

inline constexpr int kWin5Legs = 5;
inline constexpr std::int64_t kWin5MaxPoints = 1'000'000;
inline constexpr int kWin5MaxStake = 99999;               // per combination, in 100 yen
inline constexpr std::int64_t kWin5MaxPayout = 999'999'990;  // per 100 yen, in yen

// One horse per leg, leg 1 first.
using Win5Combination = std::array<int, kWin5Legs>;

// A purchase line: the horses chosen in each leg and the stake per combination.
struct Win5Line {
  std::array<Horses, kWin5Legs> legs;
  int stake = 0;  // per combination, in 100 yen
  bool operator==(const Win5Line&) const = default;
};

// One winning combination and what it pays per 100 yen.
struct Win5Winner {
  Win5Combination horses{};
  std::int64_t payout = 0;
  bool operator==(const Win5Winner&) const = default;
};

// What a day's WIN5 settlement reads besides its lines. No winners and no cancel: the
// result is not in yet, or nobody won (the pool carries over); either way nothing returns.
struct Win5Result {
  std::vector<Win5Winner> winners;
  std::array<Horses, kWin5Legs> scratched;  // per leg: 出走取消・競走除外
  bool cancelled = false;                   // 発売不成立 or a leg cancelled: all refunded
  bool operator==(const Win5Result&) const = default;
};

// The number of combinations of a line (the product of its set sizes), or the refusal.
Result<std::int64_t> checkWin5Line(const Win5Line& line);
// The same product without the checks (0 when a leg is empty).
std::int64_t win5Points(const Win5Line& line);
// Whether a payout may be entered: 10 to kWin5MaxPayout yen in steps of 10 yen.
Status checkWin5Payout(std::int64_t payout);
// Whether a result's winners may be stored: horses 1-18, distinct combinations, payouts.
Status checkWin5Winners(const std::vector<Win5Winner>& winners);
// Every combination of one horse per leg from the given sets, each paying `payout`: a
// dead heat in a leg entered as that leg's two horses.
std::vector<Win5Winner> win5WinnersOf(const std::array<Horses, kWin5Legs>& legWinners, std::int64_t payout);

struct Win5LineSettlement {
  BetFigures figures;
  std::int64_t points = 0;
  std::int64_t hits = 0;
  std::int64_t refunds = 0;
  bool operator==(const Win5LineSettlement&) const = default;
};

struct Win5Settlement {
  std::vector<Win5LineSettlement> lines;  // in the order of the lines given
  BetFigures figures;
  bool operator==(const Win5Settlement&) const = default;
};

// Settles a day's lines (lines checkWin5Line accepts). A cancelled WIN5 refunds every
// combination. Otherwise a combination holding a horse scratched in its leg is refunded;
// any other combination returns stake × payout of the winning combination it equals.
Win5Settlement settleWin5(const std::vector<Win5Line>& lines, const Win5Result& result);

// A line as text: the five sets joined by '/', horses by ',' ("1,3/2/5,7/1/4").
std::string win5LineText(const Win5Line& line);

namespace msg {
inline constexpr const char* kWin5LegEmpty = "各レースの馬番を 1つ以上選んで下さい。";
inline constexpr const char* kWin5TooMany = "WIN5の組み合わせは 1,000,000点までです。";
inline constexpr const char* kWin5PayoutBad = "払戻金は 10円単位で 999,999,990円までです。";
inline constexpr const char* kWin5WinnerTwice = "同じ的中組み合わせが 2回入力されています。";
inline constexpr const char* kWin5NoWinner = "的中馬番を各レース 1つずつ入力して下さい。";
}  // namespace msg

}  // namespace tovra
