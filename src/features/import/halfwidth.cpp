#include "features/import/halfwidth.hpp"

#include <array>

#include "storage/text.hpp"

namespace tovra {
namespace {

// Full-width character (UTF-8) and its half-width text (UTF-8).
struct Pair {
  const char* full;
  const char* half;
};
constexpr Pair kPairs[] = {
    {"ア", "ｱ"},  {"イ", "ｲ"},  {"ウ", "ｳ"},  {"エ", "ｴ"},  {"オ", "ｵ"},  {"カ", "ｶ"},  {"キ", "ｷ"},  {"ク", "ｸ"},
    {"ケ", "ｹ"},  {"コ", "ｺ"},  {"サ", "ｻ"},  {"シ", "ｼ"},  {"ス", "ｽ"},  {"セ", "ｾ"},  {"ソ", "ｿ"},  {"タ", "ﾀ"},
    {"チ", "ﾁ"},  {"ツ", "ﾂ"},  {"テ", "ﾃ"},  {"ト", "ﾄ"},  {"ナ", "ﾅ"},  {"ニ", "ﾆ"},  {"ヌ", "ﾇ"},  {"ネ", "ﾈ"},
    {"ノ", "ﾉ"},  {"ハ", "ﾊ"},  {"ヒ", "ﾋ"},  {"フ", "ﾌ"},  {"ヘ", "ﾍ"},  {"ホ", "ﾎ"},  {"マ", "ﾏ"},  {"ミ", "ﾐ"},
    {"ム", "ﾑ"},  {"メ", "ﾒ"},  {"モ", "ﾓ"},  {"ヤ", "ﾔ"},  {"ユ", "ﾕ"},  {"ヨ", "ﾖ"},  {"ラ", "ﾗ"},  {"リ", "ﾘ"},
    {"ル", "ﾙ"},  {"レ", "ﾚ"},  {"ロ", "ﾛ"},  {"ワ", "ﾜ"},  {"ヲ", "ｦ"},  {"ン", "ﾝ"},  {"ァ", "ｧ"},  {"ィ", "ｨ"},
    {"ゥ", "ｩ"},  {"ェ", "ｪ"},  {"ォ", "ｫ"},  {"ャ", "ｬ"},  {"ュ", "ｭ"},  {"ョ", "ｮ"},  {"ッ", "ｯ"},  {"へ", "ﾍ"},
    {"り", "ﾘ"},  {"ヴ", "ｳﾞ"}, {"ガ", "ｶﾞ"}, {"ギ", "ｷﾞ"}, {"グ", "ｸﾞ"}, {"ゲ", "ｹﾞ"}, {"ゴ", "ｺﾞ"}, {"ザ", "ｻﾞ"},
    {"ジ", "ｼﾞ"}, {"ズ", "ｽﾞ"}, {"ゼ", "ｾﾞ"}, {"ゾ", "ｿﾞ"}, {"ダ", "ﾀﾞ"}, {"ヂ", "ﾁﾞ"}, {"ヅ", "ﾂﾞ"}, {"デ", "ﾃﾞ"},
    {"ド", "ﾄﾞ"}, {"バ", "ﾊﾞ"}, {"ビ", "ﾋﾞ"}, {"ブ", "ﾌﾞ"}, {"ベ", "ﾍﾞ"}, {"ボ", "ﾎﾞ"}, {"パ", "ﾊﾟ"}, {"ピ", "ﾋﾟ"},
    {"プ", "ﾌﾟ"}, {"ペ", "ﾍﾟ"}, {"ポ", "ﾎﾟ"}, {"べ", "ﾍﾞ"}, {"ぺ", "ﾍﾟ"}, {"ー", "-"},  {"０", "0"},  {"１", "1"},
    {"２", "2"},  {"３", "3"},  {"４", "4"},  {"５", "5"},  {"６", "6"},  {"７", "7"},  {"８", "8"},  {"９", "9"},
    {"：", ":"},  {"．", "."},  {"／", "/"},
};

// The conversions by the two Shift-JIS bytes of the full-width character (lead 0x81..0x83
// holds every one of them), built once from the table above.
class Table {
 public:
  Table() {
    for (const Pair& p : kPairs) {
      const std::string full = sj(p.full);
      const std::string half = sj(p.half);
      const unsigned lead = static_cast<unsigned char>(full[0]) - 0x81u;
      std::string& slot = slots_[lead * 256 + static_cast<unsigned char>(full[1])];
      slot = half;
    }
  }
  // nullptr when the character converts to nothing.
  const std::string* find(unsigned char lead, unsigned char trail) const {
    if (lead < 0x81 || lead > 0x83) return nullptr;
    const std::string& s = slots_[(lead - 0x81u) * 256 + trail];
    return s.empty() ? nullptr : &s;
  }

 private:
  std::array<std::string, 3 * 256> slots_{};
};

const Table& table() {
  static const Table t;
  return t;
}

// Hands each converted character to the sink (whole, so callers can cut between them); a
// sink returning false ends the name.
template <class Sink>
void convert(std::string_view in, Sink&& sink) {
  const std::size_t n = std::min<std::size_t>(in.size(), 44);
  for (std::size_t i = 0; i + 2 <= n; i += 2) {
    const auto a = static_cast<unsigned char>(in[i]), b = static_cast<unsigned char>(in[i + 1]);
    if ((a == 0x81 && b == 0x40) || (a == ' ' && b == ' ')) continue;  // blanks are dropped
    const std::string* half = table().find(a, b);
    if (!half) return;
    if (!sink(*half)) return;
  }
}

}  // namespace

std::string ToHalfWidthKana(std::string_view fullWidth) {
  std::string out;
  convert(fullWidth, [&](const std::string& piece) {
    out += piece;
    return true;
  });
  return out;
}

std::string halfWidthFitting(std::string_view fullWidth, std::size_t maxBytes) {
  std::string out;
  convert(fullWidth, [&](const std::string& piece) {
    if (out.size() + piece.size() > maxBytes) return false;
    out += piece;
    return true;
  });
  return out;
}

}  // namespace tovra
