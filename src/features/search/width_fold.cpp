#include "features/search/width_fold.hpp"

#include <algorithm>
#include <array>
#include <string>

#include "storage/text.hpp"

namespace tovra::search {
namespace {

constexpr std::uint16_t kDakuten = 0xDE;     // ﾞ
constexpr std::uint16_t kHandakuten = 0xDF;  // ﾟ
constexpr std::uint16_t kHyphen = '-';

// Full-width katakana (UTF-8) and the half-width letter each is written with; the voiced
// ones add ﾞ, the semi-voiced ones ﾟ.
struct Kana {
  const char* full;
  const char* half;
  std::uint16_t mark;
};
constexpr Kana kKana[] = {
    {"ァ", "ｧ", 0},           {"ア", "ｱ", 0},           {"ィ", "ｨ", 0},           {"イ", "ｲ", 0},
    {"ゥ", "ｩ", 0},           {"ウ", "ｳ", 0},           {"ェ", "ｪ", 0},           {"エ", "ｴ", 0},
    {"ォ", "ｫ", 0},           {"オ", "ｵ", 0},           {"カ", "ｶ", 0},           {"ガ", "ｶ", kDakuten},
    {"キ", "ｷ", 0},           {"ギ", "ｷ", kDakuten},    {"ク", "ｸ", 0},           {"グ", "ｸ", kDakuten},
    {"ケ", "ｹ", 0},           {"ゲ", "ｹ", kDakuten},    {"コ", "ｺ", 0},           {"ゴ", "ｺ", kDakuten},
    {"サ", "ｻ", 0},           {"ザ", "ｻ", kDakuten},    {"シ", "ｼ", 0},           {"ジ", "ｼ", kDakuten},
    {"ス", "ｽ", 0},           {"ズ", "ｽ", kDakuten},    {"セ", "ｾ", 0},           {"ゼ", "ｾ", kDakuten},
    {"ソ", "ｿ", 0},           {"ゾ", "ｿ", kDakuten},    {"タ", "ﾀ", 0},           {"ダ", "ﾀ", kDakuten},
    {"チ", "ﾁ", 0},           {"ヂ", "ﾁ", kDakuten},    {"ッ", "ｯ", 0},           {"ツ", "ﾂ", 0},
    {"ヅ", "ﾂ", kDakuten},    {"テ", "ﾃ", 0},           {"デ", "ﾃ", kDakuten},    {"ト", "ﾄ", 0},
    {"ド", "ﾄ", kDakuten},    {"ナ", "ﾅ", 0},           {"ニ", "ﾆ", 0},           {"ヌ", "ﾇ", 0},
    {"ネ", "ﾈ", 0},           {"ノ", "ﾉ", 0},           {"ハ", "ﾊ", 0},           {"バ", "ﾊ", kDakuten},
    {"パ", "ﾊ", kHandakuten}, {"ヒ", "ﾋ", 0},           {"ビ", "ﾋ", kDakuten},    {"ピ", "ﾋ", kHandakuten},
    {"フ", "ﾌ", 0},           {"ブ", "ﾌ", kDakuten},    {"プ", "ﾌ", kHandakuten}, {"ヘ", "ﾍ", 0},
    {"ベ", "ﾍ", kDakuten},    {"ペ", "ﾍ", kHandakuten}, {"ホ", "ﾎ", 0},           {"ボ", "ﾎ", kDakuten},
    {"ポ", "ﾎ", kHandakuten}, {"マ", "ﾏ", 0},           {"ミ", "ﾐ", 0},           {"ム", "ﾑ", 0},
    {"メ", "ﾒ", 0},           {"モ", "ﾓ", 0},           {"ャ", "ｬ", 0},           {"ヤ", "ﾔ", 0},
    {"ュ", "ｭ", 0},           {"ユ", "ﾕ", 0},           {"ョ", "ｮ", 0},           {"ヨ", "ﾖ", 0},
    {"ラ", "ﾗ", 0},           {"リ", "ﾘ", 0},           {"ル", "ﾙ", 0},           {"レ", "ﾚ", 0},
    {"ロ", "ﾛ", 0},           {"ワ", "ﾜ", 0},           {"ヲ", "ｦ", 0},           {"ン", "ﾝ", 0},
    {"ヴ", "ｳ", kDakuten},
};

// The folded units of a double-byte character (lead 0x81..0x83); an empty entry folds to
// the character itself.
struct Units {
  std::uint16_t first = 0, second = 0;
};

class FoldTable {
 public:
  FoldTable() {
    for (const Kana& k : kKana) {
      const std::string full = sj(k.full);
      at(full) = {static_cast<unsigned char>(sj(k.half)[0]), k.mark};
    }
    at(sj("゛")) = {kDakuten, 0};
    at(sj("゜")) = {kHandakuten, 0};
    at(sj("ー")) = {kHyphen, 0};
    at(sj("－")) = {kHyphen, 0};
    at(sj("　")) = {' ', 0};
    // ０..９ are 82 4F..58, Ａ..Ｚ 82 60..79, ａ..ｚ 82 81..9A.
    for (int i = 0; i < 10; ++i) slots_[1 * 256 + 0x4F + i] = {std::uint16_t('0' + i), 0};
    for (int i = 0; i < 26; ++i) {
      slots_[1 * 256 + 0x60 + i] = {std::uint16_t('A' + i), 0};
      slots_[1 * 256 + 0x81 + i] = {std::uint16_t('a' + i), 0};
    }
  }
  const Units* find(unsigned lead, unsigned trail) const {
    if (lead < 0x81 || lead > 0x83) return nullptr;
    const Units& u = slots_[(lead - 0x81) * 256 + trail];
    return u.first ? &u : nullptr;
  }

 private:
  Units& at(const std::string& full) {
    return slots_[(static_cast<unsigned char>(full[0]) - 0x81u) * 256 + static_cast<unsigned char>(full[1])];
  }
  std::array<Units, 3 * 256> slots_{};
};

const FoldTable& foldTable() {
  static const FoldTable t;
  return t;
}

}  // namespace

FoldedText foldWidth(std::string_view s) {
  FoldedText out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t len = cp932CharLength(s, i);
    const auto source = static_cast<std::uint8_t>(std::min<std::size_t>(i, 255));
    const auto lead = static_cast<unsigned char>(s[i]);
    if (len == 1) {
      out.push_back({lead == 0xB0 ? kHyphen : std::uint16_t(lead), source});  // ｰ
    } else {
      const auto trail = static_cast<unsigned char>(s[i + 1]);
      if (const Units* u = foldTable().find(lead, trail)) {
        out.push_back({u->first, source});
        if (u->second) out.push_back({u->second, source});
      } else {
        out.push_back({std::uint16_t(lead << 8 | trail), source});
      }
    }
    i += len;
  }
  return out;
}

bool foldedContains(const FoldedText& name, const FoldedText& text, std::size_t lastStart) {
  if (text.empty()) return false;
  for (std::size_t i = 0; i + text.size() <= name.size() && name[i].source <= lastStart; ++i) {
    bool same = true;
    for (std::size_t k = 0; k < text.size() && same; ++k) same = name[i + k].code == text[k].code;
    if (same) return true;
  }
  return false;
}

}  // namespace tovra::search
