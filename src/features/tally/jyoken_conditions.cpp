#include "features/tally/jyoken_conditions.hpp"

#include <cstdlib>
#include <iterator>

#include "domain/race_items_code.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"

namespace tovra::tally {

namespace {

// The fixed texts of the coded kinds, by value - 1, as the dialog's list shows them.
const std::vector<std::vector<const char*>>& listTexts() {
  static const std::vector<std::vector<const char*>> t = {
      {},  // none
      {},  // month: "  %d月"
      {},  // race number: "  %dR"
      {"  2歳 ", "  3歳 ", "  3歳上", "  4歳上"},
      {"  新馬 ", "  未勝利", "  500万下", "  1000万下", "  1600万下", "  ｵｰﾌﾟﾝ", "  G3", "  G2", "  G1"},
      {"  混合", "  ﾏｰｸなし", "  抽選馬", "  父内産馬", "  国際", "  抽市馬", "  九州馬"},
      {"  牡牝戦", "  牝馬限定戦"},
      {"  馬齢 ", "  別定 ", "  定量 ", "  ﾊﾝﾃﾞ"},
      {"  芝", "  ﾀﾞｰﾄ", "  障害"},
      {},  // distance: "  %sM"
      {"  良", " 稍重", "  重", "  不良"},
      {"  単勝", "  複勝", "  枠連", "  ﾜｲﾄﾞ", "  馬連"},
  };
  return t;
}

// The same in the result window: mostly four blanks in front, but not always.
const std::vector<std::vector<const char*>>& resultTexts() {
  static const std::vector<std::vector<const char*>> t = {
      {},
      {},
      {},
      {"    2歳 ", "    3歳 ", "    3歳上", "    4歳上"},
      {"    新馬 ", "    未勝利", "    500万下", "   1000万下", "    1600万下", "    ｵｰﾌﾟﾝ", "    G3", "    G2",
       "    G1"},
      {"    混合", "    ﾏｰｸなし", "    抽選馬", "    父内産馬", "    国際", "    抽市馬", "    九州馬"},
      {"    牡牝戦", "    牝馬限定戦"},
      {"    馬齢 ", "    別定 ", "    定量 ", "    ﾊﾝﾃﾞ"},
      {"    芝", "    ﾀﾞｰﾄ", "    障害"},
      {},
      {"    良", "   稍重", "    重", "    不良"},
      {"    単勝", "    複勝", "    枠連", "    ﾜｲﾄﾞ", "    馬連"},
  };
  return t;
}

const char* codedText(const std::vector<std::vector<const char*>>& table, JyokenKind kind, int value) {
  const auto k = static_cast<std::size_t>(kind);
  if (k >= table.size() || value < 1 || static_cast<std::size_t>(value) > table[k].size()) return "";
  return table[k][static_cast<std::size_t>(value - 1)];
}

}  // namespace

std::string jyokenTabCaption(JyokenKind kind) {
  static const char* const tabs[] = {"",         "月",       "ﾚｰｽNO", "年齢条件", "ﾚｰｽｸﾗｽ",   "ﾚｰｽ種別",
                                     "性別条件", "斤量条件", "馬場",  "距離",     "馬場状態", "馬券式別"};
  const auto k = static_cast<std::size_t>(kind);
  return k < std::size(tabs) ? tabs[k] : "";
}

std::vector<std::string> jyokenItemCaptions(JyokenKind kind) {
  static const std::vector<std::vector<const char*>> items = {
      {},
      {},
      {},
      {"2歳", "3歳", "3歳上", "4歳上"},
      {"新馬", "未勝利", "500万下", "1000万下", "1600万下", "ｵｰﾌﾟﾝ", "G 3", "G 2", "G 1"},
      {"混合", "ﾏｰｸなし", "抽選馬限定", "父内国産馬限定", "国際", "抽市場馬限定", "九州産馬限定"},
      {"牡牝戦", "牝馬限定戦"},
      {"馬齢", "別定", "定量", "ﾊﾝﾃﾞ"},
      {"芝", "ﾀﾞｰﾄ", "障害"},
      {},
      {"良", "稍重", "重", "不良"},
      {"単勝", "複勝", "枠連", "ﾜｲﾄﾞ", "馬連"},
  };
  std::vector<std::string> out;
  if (kind == JyokenKind::Month || kind == JyokenKind::RaceNo) {
    for (int i = 1; i <= 12; ++i) out.push_back(std::to_string(i) + (kind == JyokenKind::Month ? "月" : "R"));
    return out;
  }
  const auto k = static_cast<std::size_t>(kind);
  if (k < items.size())
    for (const char* i : items[k]) out.emplace_back(i);
  return out;
}

int jyokenValueCount(JyokenKind kind) {
  switch (kind) {
    case JyokenKind::Month:
    case JyokenKind::RaceNo: return 12;
    case JyokenKind::Distance:
    case JyokenKind::None: return 0;
    default: return static_cast<int>(listTexts()[static_cast<std::size_t>(kind)].size());
  }
}

std::string jyokenListLine(JyokenKind kind, int value, const std::string& kyoriText) {
  switch (kind) {
    case JyokenKind::Month: return sjprintfUtf8("  %d月", value);
    case JyokenKind::RaceNo: return sjprintfUtf8("  %dR", value);
    case JyokenKind::Distance: return "  " + kyoriText + "M";
    default: return codedText(listTexts(), kind, value);
  }
}

std::string jyokenResultText(JyokenKind kind, int value) {
  switch (kind) {
    case JyokenKind::Month: return sjprintfUtf8("    %d月", value);
    case JyokenKind::RaceNo: return sjprintfUtf8("    %dR", value);
    case JyokenKind::Distance: return sjprintfUtf8("    %dM", value);
    default: return codedText(resultTexts(), kind, value);
  }
}

void JyokenList::reset() {
  conds_ = {};
  count_ = 0;
  lines_.clear();
}

bool JyokenList::has(JyokenKind kind) const {
  for (int i = 0; i < count_; ++i)
    if (conds_[static_cast<std::size_t>(i)].kind == static_cast<std::int16_t>(kind)) return true;
  return false;
}

bool JyokenList::add(UserPort& port, JyokenKind kind, int value, const std::string& kyoriText) {
  if (count_ >= kMaxJyoken) {
    showError(port, "設定出来る条件は 7種までです。");
    return false;
  }
  if (has(kind)) {
    port.beep();
    return false;
  }
  if (kind == JyokenKind::Distance) value = std::atoi(kyoriText.c_str());  // empty: 0
  conds_[static_cast<std::size_t>(count_)] = {static_cast<std::int16_t>(kind), static_cast<std::int16_t>(value)};
  ++count_;
  lines_.push_back(jyokenListLine(kind, value, kyoriText));
  return true;
}

bool JyokenList::remove(UserPort& port, int index) {
  if (index < 0 || index >= count_) {
    showError(port, "削除する条件を指定して下さい。");
    return false;
  }
  lines_.erase(lines_.begin() + index);
  for (int i = index; i + 1 < kMaxJyoken; ++i)
    conds_[static_cast<std::size_t>(i)] = conds_[static_cast<std::size_t>(i) + 1];
  conds_[kMaxJyoken - 1] = {};
  --count_;
  return true;
}

bool JyokenList::validate(UserPort& port) const {
  if (count_ == 0) {
    showError(port, "集計させる条件を設定して下さい。");
    return false;
  }
  return true;
}

int takeBetType(JyokenConditions& conds) {
  for (std::size_t i = 0; i < conds.size() && conds[i].kind != 0; ++i) {
    if (conds[i].kind != static_cast<std::int16_t>(JyokenKind::Bet)) continue;
    const int bet = conds[i].value;
    for (std::size_t j = i; j + 1 < conds.size(); ++j) conds[j] = conds[j + 1];
    conds.back() = {};
    return bet;
  }
  return 0;
}

bool jyokenHolds(const JyokenCondition& cond, const KaisaiRecord& kaisai, int r, const RaceRecord& race) {
  const std::uint32_t k = race.koumoku;
  const int v = cond.value;
  switch (static_cast<JyokenKind>(cond.kind)) {
    case JyokenKind::Month: return kaisai.tsukiHi / 100 == v;
    case JyokenKind::RaceNo: return r + 1 == v;
    case JyokenKind::Distance: return race.kyori == v;
    case JyokenKind::Bet:  // taken out of the list before the scan
    case JyokenKind::None: return true;
    default: break;
  }
  if (k == 0) return false;  // no race items entered
  switch (static_cast<JyokenKind>(cond.kind)) {
    case JyokenKind::Age: return koumokuDigit(k, ItemField::Age) == v;
    case JyokenKind::Class: {
      const int code = koumokuDigit(k, ItemField::Class);
      if (v == 4) return code == 4 || code == 13;  // 900万下 is the former 1000万下
      if (v == 5) return code == 5 || code == 12;  // 1500万下 the former 1600万下
      return code == v;
    }
    case JyokenKind::Type: return koumokuDigit(k, ItemField::Kind) == v;
    case JyokenKind::Sex: return koumokuDigit(k, ItemField::Sex) == v;
    case JyokenKind::Weight: return koumokuDigit(k, ItemField::Weight) == v;
    case JyokenKind::Track: return koumokuDigit(k, ItemField::Track) == v;
    case JyokenKind::Going: return koumokuDigit(k, ItemField::Going) == v;
    default: return false;
  }
}

bool jyokenAllHold(const JyokenConditions& conds, const KaisaiRecord& kaisai, int r, const RaceRecord& race) {
  for (const JyokenCondition& c : conds) {
    if (c.kind == 0) break;
    if (!jyokenHolds(c, kaisai, r, race)) return false;
  }
  return true;
}

}  // namespace tovra::tally
