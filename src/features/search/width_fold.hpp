#pragma once
// Name texts compared without regard to the width of their characters. The same horse
// is ｼﾞｬﾝｸﾞﾙﾎﾟｹｯﾄ in one file and ジャングルポケット in another, and an input method
// types キング where the ledger holds ｷﾝｸﾞ: both sides are folded to one form before they
// are compared.
//
// The folded form keeps whole characters (one unit per character) and writes
//  - katakana in half width, a voiced or semi-voiced one as the letter and its mark
//    (ガ, ｶﾞ, カ゛ and ｶ゛ all become ｶ ﾞ);
//  - Latin letters and digits in ASCII (Ａ → A, ａ → a, ０ → 0), letter case kept;
//  - the long vowel mark ー, ｰ, the full-width hyphen － and "-" as "-" (the imports write
//    ー as "-");
//  - the full-width blank as an ASCII blank.
// Every other character stands for itself.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tovra::search {

struct FoldedChar {
  std::uint16_t code;   // a single-byte CP932 code, or lead << 8 | trail
  std::uint8_t source;  // where the character it comes from starts in the text (bytes)
};
using FoldedText = std::vector<FoldedChar>;

// The folded form of a CP932 text (a trailing lone lead byte counts as one character).
FoldedText foldWidth(std::string_view cp932);

// Whether the folded `text` occurs in the folded `name` at a character that comes from a
// byte position 0..lastStart of the name. An empty text occurs nowhere.
bool foldedContains(const FoldedText& name, const FoldedText& text, std::size_t lastStart);

}  // namespace tovra::search
