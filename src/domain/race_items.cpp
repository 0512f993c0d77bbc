#include "domain/race_items.hpp"

#include <cctype>

#include "storage/text.hpp"

namespace tovra {

const std::array<ItemGroup, kItemFields>& raceItemGroups() {
  static const std::array<ItemGroup, kItemFields> groups = {{
      {"RadioGroup1", "年齢条件", {"2歳", "3歳", "3歳上", "4歳上"}},
      {"RadioGroup3",
       "ｸﾗｽ",
       {"新馬", "未勝利", "500万下", "1000万下", "1600万下", "ｵｰﾌﾟﾝ", "Ｇ ３", "Ｇ ２", "Ｇ １", "未出走", "900万下",
        "1500万下"}},
      {"RadioGroup4",
       "ﾚｰｽ種別",
       {"混合", "ﾏｰｸなし", "抽選馬限定", "父内国産馬限定", "国際", "抽馬市場馬限定", "九州産馬限定"}},
      {"RadioGroup5", "性別条件", {"牡牝戦", "牝馬限定", "牡馬限定"}},
      {"RadioGroup6", "斤量条件", {"馬齢", "別定", "定量", "ﾊﾝﾃﾞ"}},
      {"RadioGroup2", "馬場", {"芝", "ﾀﾞｰﾄ", "障害"}},
      {"RadioGroup7", "馬場状態", {"良", "稍重", "重", "不良"}},
  }};
  return groups;
}

const ItemGroup& raceItemGroup(ItemField f) { return raceItemGroups()[static_cast<std::size_t>(f)]; }

namespace {

// Stored class code of each dialog position.
constexpr int kClassCodes[12] = {1, 2, 3, 13, 5, 6, 7, 8, 9, 10, 4, 12};

int itemCount(ItemField f) { return static_cast<int>(raceItemGroup(f).items.size()); }

}  // namespace

int classCodeForPosition(int position) {
  if (position < 0 || position >= 12) return 0;
  return kClassCodes[position];
}

int classPositionForCode(int code) {
  // 11 (400万下) arrives only from imports; k - 1 shows it as 900万下.
  if (code == 4) return 10;
  if (code == 13) return 3;
  if (code < 1 || code > 12) return -1;
  return code - 1;
}

std::uint32_t koumokuFromPositions(const ItemPositions& pos) {
  std::uint32_t code = 0;
  for (int i = 0; i < kItemFields; ++i) {
    const auto f = static_cast<ItemField>(i);
    int digit = 0;
    if (pos[i] >= 0 && pos[i] < itemCount(f)) digit = f == ItemField::Class ? classCodeForPosition(pos[i]) : pos[i] + 1;
    code += static_cast<std::uint32_t>(digit) * koumokuPlace(f);
  }
  return code;
}

ItemPositions positionsFromKoumoku(std::uint32_t code) {
  ItemPositions pos{};
  for (int i = 0; i < kItemFields; ++i) {
    const auto f = static_cast<ItemField>(i);
    const int digit = koumokuDigit(code, f);
    if (f == ItemField::Class) {
      pos[i] = classPositionForCode(digit);
    } else {
      pos[i] = (digit >= 1 && digit <= itemCount(f)) ? digit - 1 : -1;
    }
  }
  return pos;
}

bool koumokuValid(std::uint32_t code) {
  for (int i = 0; i < kItemFields; ++i)
    if (koumokuDigit(code, static_cast<ItemField>(i)) == 0) return false;
  return true;
}

std::uint32_t withGoing(std::uint32_t code, int going) { return code / 10 * 10 + static_cast<std::uint32_t>(going); }

const std::vector<const char*>& kyoriPresets() {
  static const std::vector<const char*> presets = {"1000", "1200", "1400", "1600", "1800", "2000", "2100",
                                                   "2200", "2400", "2500", "3000", "3200", "3600"};
  return presets;
}

int kyoriFromText(const std::string& text) {
  long v = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) break;
    v = v * 10 + (c - '0');
    if (v > 65535) return -1;
  }
  return static_cast<int>(v);
}

std::string koumokuLabel(ItemField f, int digit, bool oldAgeLabels) {
  static const std::vector<const char*> age = {"2 歳 ", "3 歳 ", "3歳上", "4歳上"};
  static const std::vector<const char*> ageOld = {"3 歳 ", "4 歳 ", "4歳上", "5歳上"};
  static const std::vector<const char*> klass = {" 新  馬 ", "未 勝 利", "500 万下", "900 万下", "1600万下",
                                                 "オープン", "  ＧⅢ  ",  "  ＧⅡ  ",  "  ＧⅠ  ",  "未 出 走",
                                                 "400 万下", "1500万下", "1000万下"};
  static const std::vector<const char*> kind = {" 混 ", " ", " 抽 ", " 父 ", "国際", "抽市", " 九 "};
  static const std::vector<const char*> sex = {" ", "牝", "牡"};
  static const std::vector<const char*> weight = {"馬齢 ", "別定 ", "定量 ", "ﾊﾝﾃﾞ "};
  static const std::vector<const char*> track = {"芝", "ダ", "障"};
  static const std::vector<const char*> going = {"  良", " 稍重", "  重", " 不良"};
  const std::vector<const char*>* list = nullptr;
  switch (f) {
    case ItemField::Age: list = oldAgeLabels ? &ageOld : &age; break;
    case ItemField::Class: list = &klass; break;
    case ItemField::Kind: list = &kind; break;
    case ItemField::Sex: list = &sex; break;
    case ItemField::Weight: list = &weight; break;
    case ItemField::Track: list = &track; break;
    case ItemField::Going: list = &going; break;
  }
  if (digit < 1 || digit > static_cast<int>(list->size())) return "";
  return (*list)[static_cast<std::size_t>(digit - 1)];
}

std::string raceItemsLine(std::uint32_t code, int kyori, bool oldAgeLabels) {
  if (code == 0) return "";
  auto label = [&](ItemField f) { return sj(koumokuLabel(f, koumokuDigit(code, f), oldAgeLabels)); };
  return cp932ToUtf8(sjprintf(" %s    %s    %s    %s    %s    %s %dM %s", label(ItemField::Age).c_str(),
                              label(ItemField::Class).c_str(), label(ItemField::Kind).c_str(),
                              label(ItemField::Sex).c_str(), label(ItemField::Weight).c_str(),
                              label(ItemField::Track).c_str(), kyori, label(ItemField::Going).c_str()));
}

}  // namespace tovra
