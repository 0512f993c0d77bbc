#pragma once
// ToHalfWidthKana: a horse name (or digits) written in full-width Shift-JIS characters
// as the half-width text the ledger keeps. All three imports use it.
#include <cstddef>
#include <string>
#include <string_view>

namespace tovra {

// Reads two bytes at a time, at most 22 characters (44 bytes):
// - full-width katakana ア..ン, ァィゥェォャュョッ and ヲ become half-width katakana; the
//   hiragana へ and り (which look like their katakana) become ﾍ and ﾘ;
// - voiced and semi-voiced katakana (ヴ ガ..ゴ ザ..ゾ ダ..ド バ..ボ パ..ポ, hiragana べ ぺ)
//   become two half-width characters (ｶﾞ, ﾊﾟ);
// - ー becomes "-", ０..９ "0".."9", ：．／ ":" "." "/";
// - a full-width blank and a pair of ASCII blanks are dropped;
// - the first other character ends the name.
// The result is CP932 (half-width katakana and ASCII: one byte per character).
std::string ToHalfWidthKana(std::string_view fullWidth);

// ToHalfWidthKana cut to a field of `maxBytes` bytes without parting a letter from its
// voicing mark (ｶﾞ is kept whole or dropped whole).
std::string halfWidthFitting(std::string_view fullWidth, std::size_t maxBytes);

}  // namespace tovra
