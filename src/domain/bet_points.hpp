#pragma once
// 馬単, 3連複 and 3連単: a purchase line as the user bought it (type, method, horse sets,
// stake per point) and the one expansion of a line into its points. Settlement, views and
// every count of points read a line through this header.
#include <array>
#include <cstdint>
#include <vector>

#include "storage/outcome.hpp"

namespace tovra {

enum class NewBetType { Umatan, Sanrenpuku, Sanrentan };
enum class BetMethod { Normal, Box, Nagashi, Formation };

const char* newBetTypeName(NewBetType t);   // "馬単" "3連複" "3連単" (UTF-8)
const char* newBetTypeAscii(NewBetType t);  // "umatan" "sanrenpuku" "sanrentan"
const char* betMethodName(BetMethod m);     // "通常" "ﾎﾞｯｸｽ" "流し" "ﾌｫｰﾒｰｼｮﾝ"
// Horses in one point: 2 for 馬単, 3 for 3連複 and 3連単.
inline int pointSize(NewBetType t) { return t == NewBetType::Umatan ? 2 : 3; }
// Whether the finishing order counts (馬単, 3連単).
inline bool isOrdered(NewBetType t) { return t != NewBetType::Sanrenpuku; }

inline constexpr int kMaxHorse = 18;
inline constexpr int kMaxLinePoints = 4896;   // 3連単 ﾎﾞｯｸｽ of 18 horses
inline constexpr int kMaxPointStake = 99999;  // per point, in 100 yen (9,999,900 yen)

using Horses = std::vector<int>;

// One point: horse numbers in finishing order (3連複: ascending); 馬単 leaves the third 0.
using Combination = std::array<int, 3>;

// A purchase line. What its three sets hold depends on the method:
//   通常       sets[0] the combination (in finishing order for 馬単 and 3連単)
//   ﾎﾞｯｸｽ      sets[0] the members
//   流し       sets[0] the axis (one horse, or two for 3連複 and 3連単), sets[1] the partners
//   ﾌｫｰﾒｰｼｮﾝ   sets[0] 1着, sets[1] 2着, sets[2] 3着 (3連 only)
// Sets a method does not use stay empty. `multi` and `places` belong to 流し of 馬単 and
// 3連単: without マルチ the axis stands fixed at places[0] (one axis horse: 1, 2 or 3) or,
// for two axis horses of 3連単, sets[0][0] at places[0] and sets[0][1] at places[1]
// (1・2着 by default); マルチ puts the axis at every place.
struct PurchaseLine {
  NewBetType type = NewBetType::Umatan;
  BetMethod method = BetMethod::Normal;
  std::array<Horses, 3> sets;
  bool multi = false;
  std::array<int, 2> places{1, 2};
  int stake = 0;  // per point, in 100 yen

  static PurchaseLine normal(NewBetType t, Horses combo, int stake);
  static PurchaseLine box(NewBetType t, Horses members, int stake);
  static PurchaseLine nagashi(NewBetType t, Horses axis, Horses partners, bool multi, int stake,
                              std::array<int, 2> places = {1, 2});
  static PurchaseLine formation(NewBetType t, Horses first, Horses second, Horses third, int stake);

  bool operator==(const PurchaseLine&) const = default;
};

// Whether a line may be bought: its number of points, or the refusal shown instead.
Result<int> checkLine(const PurchaseLine& line);

// The points of a line that checkLine accepts: distinct combinations in ascending order.
std::vector<Combination> expandPoints(const PurchaseLine& line);
// The number of points of a line that checkLine accepts, counted without the list.
int pointCount(const PurchaseLine& line);

// The refusals of checkLine (UTF-8; shown in boxes titled "確認").
namespace msg {
inline constexpr const char* kLineHorseRange = "馬番は 1～18 で指定して下さい。";
inline constexpr const char* kLineHorseTwice = "同じ馬番が 2回入力されています。";
inline constexpr const char* kLineSetsBad = "馬番の組み合わせが不適切です。";
inline constexpr const char* kLineCombo2 = "馬番を 2つ入力して下さい。";
inline constexpr const char* kLineCombo3 = "馬番を 3つ入力して下さい。";
inline constexpr const char* kLineBox2 = "馬番を 2つ以上入力して下さい。";
inline constexpr const char* kLineBox3 = "馬番を 3つ以上入力して下さい。";
inline constexpr const char* kLineAxis1 = "軸の馬番を 1つ入力して下さい。";
inline constexpr const char* kLineAxis12 = "軸の馬番を 1つか 2つ入力して下さい。";
inline constexpr const char* kLinePartner1 = "相手の馬番を入力して下さい。";
inline constexpr const char* kLinePartner2 = "相手の馬番を 2つ以上入力して下さい。";
inline constexpr const char* kLineAxisPartner = "軸と相手に同じ馬番があります。";
inline constexpr const char* kLinePlace = "軸の着順が不適切です。";
inline constexpr const char* kLineMulti = "3連複の流しにﾏﾙﾁはありません。";
inline constexpr const char* kLineFormation = "ﾌｫｰﾒｰｼｮﾝは各着順の馬番を入力して下さい。";
inline constexpr const char* kLineNoPoint = "組み合わせが 1点もありません。";
inline constexpr const char* kLineTooMany = "1行で登録出来る点数は 4896点までです。";
inline constexpr const char* kLineStakeMissing = "購入金額を入力して下さい。";
inline constexpr const char* kLineStakeTooLarge = "購入金額は 1点 99999(00円) までです。";
}  // namespace msg

}  // namespace tovra
