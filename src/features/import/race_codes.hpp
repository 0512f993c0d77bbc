#pragma once
// The codes the JRA-VAN files of every layout share: the race items code made from a
// race's type, condition, grade, mark, sex, weight, track and going codes, the winner's
// time and the margin texts of the finishers.
#include <cstdint>
#include <string>
#include <string_view>

namespace tovra {

namespace jra {
// The digits of the race items code (age, class, kind, sex, weight,
// track, going), each from its code; codes not in the tables give the first item.
int ageDigit(int typeCode);
int classDigit(int condition, char grade);
int kindDigit(char mark);
int sexDigit(char code);
int weightDigit(char code);
int trackDigit(int code);
// The going of a results record: 1..4; 0 (unknown) and codes the items do not have read as 良.
int goingDigit(int code);
std::uint32_t koumokuOf(int age, int klass, int kind, int sex, int weight, int track, int going);
}  // namespace jra

// The race items code of the fields a JRA-VAN race gives, mapped as every layout maps
// them: race type code, condition code, grade letter, race mark letter, sex code, weight
// type, track code and going code (0 and unknown codes read as 良).
std::uint32_t jravanItemsCode(int typeCode, int condition, char grade, char mark, char sex, char weight, int track,
                              int going);

// The winner's time "m.ss.t" of a time field m s s t (1345 -> "1.34.5", 2059 -> "2.05.9").
std::string jravanTimeText(int value);
// The margin text of a 3-byte margin code (" 12" -> "1/2", "K  " -> "ｸﾋﾞ"), CP932; "--"
// for a code not in the table.
std::string jravanMarginText(std::string_view code);

}  // namespace tovra
