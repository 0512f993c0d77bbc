#pragma once
// How the new bet types read as text (UTF-8): a line's horse sets, a winning combination,
// the points-and-cost line shown while a line is picked, and yen with thousands marks.
#include <cstdint>
#include <optional>
#include <string>

#include "domain/bet_points.hpp"

namespace tovra {

// "1,234,567": yen with thousands marks.
std::string groupedYen(std::int64_t yen);
// "N点 ・ 合計 X円" for a line of N points at `stake` hundreds of yen per point.
std::string pointsCostText(int points, int stake);
// The sets as bought: 通常 "3-7-12", ﾎﾞｯｸｽ "1,4,7", 流し "軸 3 → 1,4,7" (マルチ and the
// axis places added), ﾌｫｰﾒｰｼｮﾝ "1,2 / 1,2,3,4 / 1-6" with each set listed.
std::string setsText(const PurchaseLine& line);
// A combination in finishing order, "3-7-12" ("3-7" for 馬単).
std::string comboText(NewBetType type, const Combination& combo);
// A bet type by the command line's name ("umatan", "sanrenpuku", "sanrentan") or its
// Japanese name; none for any other text.
std::optional<NewBetType> newBetTypeFromText(const std::string& text);
// A method by "normal", "box", "nagashi", "formation" or its Japanese name.
std::optional<BetMethod> betMethodFromText(const std::string& text);
// The command line's name of a method.
const char* betMethodAscii(BetMethod m);
// "3-7-12" into horses (digits separated by '-'); none when it does not read so.
std::optional<Horses> parseCombo(const std::string& text);

}  // namespace tovra
