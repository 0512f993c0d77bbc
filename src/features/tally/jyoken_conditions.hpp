#pragma once
// The conditions of the condition tally (条件集計): the list the dialog builds (at most
// seven, each kind once, kept in the order they were set), its texts, and the test of a
// race against a condition.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "storage/records.hpp"

namespace tovra {
class UserPort;
}  // namespace tovra

namespace tovra::tally {

enum class JyokenKind : std::int16_t {
  None = 0,
  Month = 1,     // month of the meeting day, 1-12
  RaceNo = 2,    // 1-12
  Age = 3,       // 2歳 3歳 3歳上 4歳上
  Class = 4,     // 新馬 未勝利 500万下 1000万下 1600万下 ｵｰﾌﾟﾝ G3 G2 G1
  Type = 5,      // 混合 ﾏｰｸなし 抽選馬 父内産馬 国際 抽市馬 九州馬
  Sex = 6,       // 牡牝戦 牝馬限定戦
  Weight = 7,    // 馬齢 別定 定量 ﾊﾝﾃﾞ
  Track = 8,     // 芝 ﾀﾞｰﾄ 障害
  Distance = 9,  // metres, exact
  Going = 10,    // 良 稍重 重 不良
  Bet = 11,      // 単勝 複勝 枠連 ﾜｲﾄﾞ 馬連
};
inline constexpr int kJyokenKinds = 11;
inline constexpr int kMaxJyoken = 7;

struct JyokenCondition {
  std::int16_t kind = 0;
  std::int16_t value = 0;
  bool operator==(const JyokenCondition&) const = default;
};
using JyokenConditions = std::array<JyokenCondition, kMaxJyoken>;  // a kind of 0 ends the list

// How many values a coded kind offers (its radio items); 0 for the distance, which is typed.
int jyokenValueCount(JyokenKind kind);
// The dialog's tab of a kind ("月", "ﾚｰｽNO", ... "馬券式別") and the items of its radio
// group, value 1 first ("1月" ... "12月", "2歳" ..., none for the distance). UTF-8.
std::string jyokenTabCaption(JyokenKind kind);
std::vector<std::string> jyokenItemCaptions(JyokenKind kind);

// The list the dialog keeps, with its list box lines (same index as the conditions).
class JyokenList {
 public:
  // Back to no conditions (what the dialog does each time it becomes active).
  void reset();
  // 設定: refuses the eighth condition with its message, beeps for a kind already set.
  // For the distance `value` is ignored and `kyoriText` (the digits typed, maybe none)
  // gives the value and the line.
  bool add(UserPort& port, JyokenKind kind, int value, const std::string& kyoriText = "");
  // 削除 of list line `index` (-1 = nothing selected: refused with its message).
  bool remove(UserPort& port, int index);
  // 集計開始: refused with its message while no condition is set.
  bool validate(UserPort& port) const;

  int count() const { return count_; }
  bool has(JyokenKind kind) const;  // its tab's control is disabled
  const JyokenConditions& conditions() const { return conds_; }
  const std::vector<std::string>& lines() const { return lines_; }  // UTF-8

 private:
  JyokenConditions conds_{};
  int count_ = 0;
  std::vector<std::string> lines_;
};

// The list box line of a condition ("  %d月", "  2歳 ", ...); for the distance the typed text.
std::string jyokenListLine(JyokenKind kind, int value, const std::string& kyoriText = "");
// The text of a condition in the result window ("    %d月", "    2歳 ", "   1000万下", ...).
std::string jyokenResultText(JyokenKind kind, int value);

// Takes the first bet-type condition out of the list (the later ones move up, the last
// pair becomes (0, 0)) and returns its value, 0 when there is none.
int takeBetType(JyokenConditions& conds);

// Whether race r (0-11) of a meeting day meets the condition. A race without race items
// fails every condition on them; 1000万下 also takes 900万下 (code 4) races and 1600万下
// also 1500万下 (code 12) races.
bool jyokenHolds(const JyokenCondition& cond, const KaisaiRecord& kaisai, int r, const RaceRecord& race);
// All conditions of the list, tested in list order.
bool jyokenAllHold(const JyokenConditions& conds, const KaisaiRecord& kaisai, int r, const RaceRecord& race);

}  // namespace tovra::tally
