#include "features/import/ipat/ipat_csv.hpp"

#include <algorithm>
#include <chrono>
#include <set>
#include <utility>

#include "storage/records.hpp"
#include "storage/text.hpp"

namespace tovra {
namespace {

constexpr const char* kHeader[12] = {"日付", "受付番号", "通番",    "場名",       "曜日",     "レース",
                                     "式別", "馬／組番", "購入金額", "的中／返還", "払戻単価", "払戻／返還金額"};

// --- UTF-8 text, folded to one form ---

// The code points of a UTF-8 text (the converter gives valid UTF-8 only).
std::u32string decode(std::string_view s) {
  std::u32string out;
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    int n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    char32_t v = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
    for (int k = 1; k < n && i + static_cast<std::size_t>(k) < s.size(); ++k)
      v = (v << 6) | (static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0x3F);
    out.push_back(v);
    i += static_cast<std::size_t>(n);
  }
  return out;
}

void encode(char32_t c, std::string& out) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Full-width letters, digits and signs become ASCII, every dash "-", the middle dots "・",
// blanks go; half-width katakana stay as they are (the words below list both forms).
std::string fold(std::string_view s) {
  std::string out;
  for (char32_t c : decode(s)) {
    if (c >= 0xFF01 && c <= 0xFF5E) c = c - 0xFF01 + 0x21;
    if (c == 0x2015 || c == 0x2010 || c == 0x2012 || c == 0x2013 || c == 0x2014 || c == 0x2212 || c == 0x2500)
      c = '-';
    if (c == 0xFF65) c = 0x30FB;
    if (c == ' ' || c == 0x3000 || c == '\t') continue;
    if (c >= 'a' && c <= 'z') c = c - 'a' + 'A';
    encode(c, out);
  }
  return out;
}

bool takePrefix(std::string_view& s, std::string_view word) {
  if (s.substr(0, word.size()) != word) return false;
  s.remove_prefix(word.size());
  return true;
}

bool takeAny(std::string_view& s, std::initializer_list<std::string_view> words) {
  for (std::string_view w : words)
    if (takePrefix(s, w)) return true;
  return false;
}

std::optional<std::int64_t> digits(std::string_view s, std::size_t maxDigits) {
  if (s.empty() || s.size() > maxDigits) return std::nullopt;
  std::int64_t v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v;
}

std::vector<std::string_view> split(std::string_view s, char sep) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= s.size(); ++i)
    if (i == s.size() || s[i] == sep) {
      out.push_back(s.substr(start, i - start));
      start = i + 1;
    }
  return out;
}

// The fields of a CSV line ("..." quoting with "" inside).
std::vector<std::string> csvFields(std::string_view line) {
  std::vector<std::string> out(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        out.back().push_back('"');
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        out.back().push_back(c);
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      out.emplace_back();
    } else {
      out.back().push_back(c);
    }
  }
  return out;
}

// --- 式別 ---

struct TypeWords {
  IpatType type = IpatType::Tan;
  bool win5 = false;
  BetMethod method = BetMethod::Normal;
  bool multi = false;
  int axisCount = 0;         // 軸N頭, 0 when not written
  std::vector<int> places;   // N着 / N・M着
};

std::optional<TypeWords> readTypeWords(std::string_view s) {
  TypeWords w;
  if (s == "WIN5") {
    w.win5 = true;
    return w;
  }
  static const std::pair<std::string_view, IpatType> kTypes[] = {
      {"単勝", IpatType::Tan},        {"複勝", IpatType::Fuku},   {"枠連", IpatType::Waku},
      {"馬連", IpatType::Uma},        {"ワイド", IpatType::Wide}, {"ﾜｲﾄﾞ", IpatType::Wide},
      {"馬単", IpatType::Umatan},     {"3連複", IpatType::Sanrenpuku}, {"三連複", IpatType::Sanrenpuku},
      {"3連単", IpatType::Sanrentan}, {"三連単", IpatType::Sanrentan}};
  bool typed = false;
  for (const auto& [word, type] : kTypes)
    if (takePrefix(s, word)) {
      w.type = type;
      typed = true;
      break;
    }
  if (!typed) return std::nullopt;
  bool methodSet = false;
  auto setMethod = [&](BetMethod m) {
    if (methodSet) return false;
    w.method = m;
    methodSet = true;
    return true;
  };
  while (!s.empty()) {
    if (takeAny(s, {"ながし", "流し", "ナガシ", "ﾅｶﾞｼ"})) {
      if (!setMethod(BetMethod::Nagashi)) return std::nullopt;
    } else if (takeAny(s, {"BOX", "ボックス", "ﾎﾞｯｸｽ"})) {
      if (!setMethod(BetMethod::Box)) return std::nullopt;
    } else if (takeAny(s, {"フォーメーション", "ﾌｫｰﾒｰｼｮﾝ"})) {
      if (!setMethod(BetMethod::Formation)) return std::nullopt;
    } else if (takeAny(s, {"通常"})) {
      if (!setMethod(BetMethod::Normal)) return std::nullopt;
    } else if (takeAny(s, {"マルチ", "ﾏﾙﾁ"})) {
      if (w.multi) return std::nullopt;
      w.multi = true;
    } else if (takePrefix(s, "軸")) {
      if (w.axisCount != 0 || s.empty() || (s[0] != '1' && s[0] != '2')) return std::nullopt;
      w.axisCount = s[0] - '0';
      s.remove_prefix(1);
      if (!takePrefix(s, "頭")) return std::nullopt;
    } else if (!s.empty() && s[0] >= '1' && s[0] <= '3' && w.places.empty()) {
      w.places.push_back(s[0] - '0');
      s.remove_prefix(1);
      if (takeAny(s, {"・", ","})) {
        if (s.empty() || s[0] < '1' || s[0] > '3') return std::nullopt;
        w.places.push_back(s[0] - '0');
        s.remove_prefix(1);
      }
      if (!takePrefix(s, "着")) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  // Axis, places and マルチ belong to a 流し only.
  if (w.method != BetMethod::Nagashi && (w.multi || w.axisCount != 0 || !w.places.empty())) return std::nullopt;
  if (w.places.size() == 2 && w.places[0] >= w.places[1]) return std::nullopt;
  return w;
}

// --- 馬／組番 ---

// Columns split by "／", members by "；" or "―". nullopt when a member is no number.
std::optional<std::vector<std::vector<int>>> readColumns(std::string_view s) {
  std::vector<std::vector<int>> cols;
  for (std::string_view col : split(s, '/')) {
    std::vector<int> members;
    for (std::string_view part : split(col, ';'))
      for (std::string_view m : split(part, '-')) {
        const auto v = digits(m, 2);
        if (!v) return std::nullopt;
        members.push_back(static_cast<int>(*v));
      }
    cols.push_back(std::move(members));
  }
  return cols;
}

bool hasTwice(std::vector<int> v) {
  std::sort(v.begin(), v.end());
  return std::adjacent_find(v.begin(), v.end()) != v.end();
}

// The pair points of a line of the course files' types, each {a, b, 0} with a ≤ b.
std::vector<Combination> pairPoints(const IpatLine& l) {
  const bool waku = l.type == IpatType::Waku;
  std::set<Combination> out;
  auto add = [&](int a, int b) {
    if (a == b && !waku) return;
    out.insert(Combination{std::min(a, b), std::max(a, b), 0});
  };
  switch (l.method) {
    case BetMethod::Normal:
      add(l.sets[0][0], l.sets[0][1]);
      break;
    case BetMethod::Box:
      for (std::size_t i = 0; i < l.sets[0].size(); ++i)
        for (std::size_t j = i + 1; j < l.sets[0].size(); ++j) add(l.sets[0][i], l.sets[0][j]);
      break;
    case BetMethod::Nagashi:
    case BetMethod::Formation:
      for (int a : l.sets[0])
        for (int b : l.sets[1]) add(a, b);
      break;
  }
  return {out.begin(), out.end()};
}

std::vector<Combination> recordPoints(const IpatLine& l) {
  if (l.type == IpatType::Tan || l.type == IpatType::Fuku) {
    if (l.sets[0].empty()) return {};
    return {Combination{l.sets[0][0], 0, 0}};
  }
  return pairPoints(l);
}

// Checks the sets of a line of the course files' types; the refusal's text, or "".
std::string checkRecordLine(const IpatLine& l, const std::vector<std::vector<int>>& cols) {
  const bool single = l.type == IpatType::Tan || l.type == IpatType::Fuku;
  const int top = l.type == IpatType::Waku ? 8 : 18;
  for (const auto& c : cols)
    for (int v : c)
      if (v < 1 || v > top) return top == 8 ? msg::kIpatFrameRange : msg::kLineHorseRange;
  switch (l.method) {
    case BetMethod::Normal:
      if (cols.size() != 1 || cols[0].size() != (single ? 1u : 2u)) return msg::kIpatNumbers;
      if (!single && l.type != IpatType::Waku && cols[0][0] == cols[0][1]) return msg::kLineSetsBad;
      return {};
    case BetMethod::Box:
      if (single || cols.size() != 1 || cols[0].size() < 2) return single ? msg::kIpatType : msg::kIpatNumbers;
      return hasTwice(cols[0]) ? msg::kLineHorseTwice : "";
    case BetMethod::Nagashi:
      if (single || cols.size() != 2 || cols[0].size() != 1 || cols[1].empty())
        return single ? msg::kIpatType : msg::kIpatNumbers;
      if (hasTwice(cols[1])) return msg::kLineHorseTwice;
      if (l.type != IpatType::Waku && std::find(cols[1].begin(), cols[1].end(), cols[0][0]) != cols[1].end())
        return msg::kLineAxisPartner;
      return {};
    case BetMethod::Formation:
      if (single || cols.size() != 2 || cols[0].empty() || cols[1].empty())
        return single ? msg::kIpatType : msg::kIpatNumbers;
      if (hasTwice(cols[0]) || hasTwice(cols[1])) return msg::kLineHorseTwice;
      return {};
  }
  return {};
}

// Builds the sets of a line from its columns and counts its points; the refusal's text.
std::string readSets(IpatLine& l, const TypeWords& w, const std::vector<std::vector<int>>& cols) {
  l.method = w.method;
  l.multi = w.multi;
  if (ipatRecordType(l.type)) {
    if (w.multi || !w.places.empty() || w.axisCount != 0) return msg::kIpatType;
    if (const std::string bad = checkRecordLine(l, cols); !bad.empty()) return bad;
    for (std::size_t i = 0; i < cols.size() && i < 3; ++i) l.sets[i] = cols[i];
    l.points = static_cast<int>(recordPoints(l).size());
    if (l.points == 0) return msg::kLineNoPoint;
    return {};
  }
  const NewBetType t = *ipatNewType(l.type);
  switch (w.method) {
    case BetMethod::Normal:
    case BetMethod::Box:
      if (cols.size() != 1) return msg::kIpatNumbers;
      l.sets[0] = cols[0];
      break;
    case BetMethod::Nagashi: {
      if (cols.size() != 2) return msg::kIpatNumbers;
      l.sets[0] = cols[0];
      l.sets[1] = cols[1];
      const int axes = static_cast<int>(cols[0].size());
      if (w.axisCount != 0 && w.axisCount != axes) return msg::kIpatNumbers;
      if (t == NewBetType::Sanrenpuku) {
        if (!w.places.empty()) return msg::kIpatType;
        break;
      }
      if (!w.places.empty()) {
        if (static_cast<int>(w.places.size()) != axes) return msg::kIpatNumbers;
        l.places[0] = w.places[0];
        if (w.places.size() == 2) l.places[1] = w.places[1];
      } else {
        l.places = {1, 2};
      }
      break;
    }
    case BetMethod::Formation:
      if (static_cast<int>(cols.size()) != pointSize(t)) return msg::kIpatNumbers;
      for (std::size_t i = 0; i < cols.size(); ++i) l.sets[i] = cols[i];
      break;
  }
  const auto checked = checkLine(ipatPurchaseLine(l));
  if (!checked) return checked.refusal().text;
  l.points = *checked;
  return {};
}

// --- amounts and the outcome ---

std::string noThousands(std::string s) {
  std::erase(s, ',');
  if (s.size() >= 3 && s.substr(s.size() - 3) == "円") s.resize(s.size() - 3);
  return s;
}

bool isNone(const std::string& s) { return s.empty() || s == "-" || s == "--"; }

struct Stake {
  std::int64_t unit = 0;
  std::optional<std::int64_t> total;
};

std::optional<Stake> readStake(const std::string& text) {
  const auto parts = split(text, '/');
  if (parts.size() > 2) return std::nullopt;
  Stake s;
  const auto unit = digits(parts[0], 12);
  if (!unit) return std::nullopt;
  s.unit = *unit;
  if (parts.size() == 2) {
    const auto total = digits(parts[1], 15);
    if (!total) return std::nullopt;
    s.total = *total;
  }
  return s;
}

bool readOutcome(const std::string& text, IpatLine& l) {
  if (isNone(text)) return true;
  std::string_view s = text;
  if (s == "返還") {
    l.outcome = IpatOutcome::Refund;
    return true;
  }
  if (!takePrefix(s, "的中")) return false;
  l.outcome = IpatOutcome::Hit;
  if (s.empty()) return true;
  for (std::string_view part : split(s, ';')) {
    Combination c{};
    const auto nums = split(part, '-');
    if (nums.size() > 3) return false;
    for (std::size_t i = 0; i < nums.size(); ++i) {
      const auto v = digits(nums[i], 2);
      if (!v) return false;
      c[i] = static_cast<int>(*v);
    }
    l.hits.push_back(c);
  }
  return true;
}

// --- the file ---

struct LineError {
  int line;
  std::string text;
};

std::string refusalText(const std::string& file, int line, const std::string& text) {
  std::string s = file;
  s += " の ";
  s += std::to_string(line);
  s += "行目：\n";
  s += text;
  return s;
}

struct Common {
  int year = 0, month = 0, day = 0;
  std::string receipt;
};

// 日付, 受付番号 and 通番; the refusal's text, or "".
std::string readCommon(const std::vector<std::string>& f, Common& c) {
  const auto date = digits(f[0], 8);
  if (!date || f[0].size() != 8) return msg::kIpatDate;
  c.year = static_cast<int>(*date / 10000);
  c.month = static_cast<int>(*date / 100 % 100);
  c.day = static_cast<int>(*date % 100);
  const std::chrono::year_month_day ymd{std::chrono::year{c.year}, std::chrono::month{static_cast<unsigned>(c.month)},
                                        std::chrono::day{static_cast<unsigned>(c.day)}};
  if (!ymd.ok() || c.year < 1900) return msg::kIpatDate;
  if (!digits(f[1], 10) || !digits(f[2], 6)) return msg::kIpatReceipt;
  c.receipt = f[1];
  c.receipt += '-';
  c.receipt += f[2];
  return {};
}

std::string readWin5(const std::vector<std::string>& f, const Common& c, int lineNo, IpatFile& out) {
  IpatWin5 w;
  w.line = lineNo;
  w.year = c.year;
  w.month = c.month;
  w.day = c.day;
  w.receipt = c.receipt;
  const auto cols = readColumns(f[7]);
  if (!cols || cols->size() != 5) return msg::kIpatNumbers;
  w.points = 1;
  for (std::size_t i = 0; i < 5; ++i) {
    const auto& leg = (*cols)[i];
    if (leg.empty()) return msg::kIpatNumbers;
    for (int v : leg)
      if (v < 1 || v > 18) return msg::kLineHorseRange;
    if (hasTwice(leg)) return msg::kLineHorseTwice;
    w.legs[i] = leg;
    w.points *= static_cast<std::int64_t>(leg.size());
  }
  const auto stake = readStake(noThousands(f[8]));
  if (!stake) return msg::kIpatAmount;
  if (stake->unit % 100 != 0 || stake->unit < 100 || stake->unit / 100 > kMaxPointStake) return msg::kIpatAmountUnit;
  w.stake = static_cast<int>(stake->unit / 100);
  w.cost = stake->unit * w.points;
  if (stake->total && *stake->total != w.cost) return msg::kIpatAmountTotal;
  out.totalCost += w.cost;
  out.win5.push_back(std::move(w));
  return {};
}

std::string readLine(const std::vector<std::string>& raw, int lineNo, IpatFile& out) {
  std::vector<std::string> f;
  for (const std::string& r : raw) f.push_back(fold(r));
  Common c;
  if (const std::string bad = readCommon(f, c); !bad.empty()) return bad;
  const auto words = readTypeWords(f[6]);
  if (!words) return msg::kIpatType;
  if (words->win5) return readWin5(f, c, lineNo, out);

  IpatLine l;
  l.line = lineNo;
  l.year = c.year;
  l.month = c.month;
  l.day = c.day;
  l.receipt = c.receipt;
  l.course = -1;
  for (int i = 0; i < kCourseCount; ++i)
    if (f[3] == keibajo(i).name) l.course = i;
  if (l.course < 0) return msg::kIpatCourse;
  std::string_view race = f[5];
  if (!race.empty() && race.back() == 'R') race.remove_suffix(1);
  const auto r = digits(race, 2);
  if (!r || *r < 1 || *r > 12) return msg::kIpatRace;
  l.race = static_cast<int>(*r);
  l.type = words->type;
  l.typeText = raw[6];
  l.numbersText = raw[7];
  const auto stake = readStake(noThousands(f[8]));
  if (!stake) return msg::kIpatAmount;
  if (stake->unit % 100 != 0 || stake->unit < 100 || stake->unit / 100 > kMaxPointStake) return msg::kIpatAmountUnit;
  l.stake = static_cast<int>(stake->unit / 100);
  const auto cols = readColumns(f[7]);
  if (!cols) return msg::kIpatNumbers;
  if (const std::string bad = readSets(l, *words, *cols); !bad.empty()) return bad;
  l.cost = stake->unit * l.points;
  if (stake->total && *stake->total != l.cost) return msg::kIpatAmountTotal;

  if (!readOutcome(f[9], l)) return msg::kIpatOutcome;
  const std::string payout = noThousands(f[10]);
  if (!isNone(payout)) {
    const auto p = digits(payout, 10);
    if (!p) return msg::kIpatPayout;
    l.payout = *p;
  }
  const std::string paid = noThousands(f[11]);
  if (!isNone(paid)) {
    const auto p = digits(paid, 15);
    if (!p) return msg::kIpatPayout;
    l.paid = *p;
  }
  out.totalCost += l.cost;
  out.lines.push_back(std::move(l));
  return {};
}

}  // namespace

std::optional<BetType> ipatRecordType(IpatType t) {
  switch (t) {
    case IpatType::Tan: return BetType::Tan;
    case IpatType::Fuku: return BetType::Fuku;
    case IpatType::Waku: return BetType::Waku;
    case IpatType::Uma: return BetType::Uma;
    case IpatType::Wide: return BetType::Wide;
    default: return std::nullopt;
  }
}

std::optional<NewBetType> ipatNewType(IpatType t) {
  switch (t) {
    case IpatType::Umatan: return NewBetType::Umatan;
    case IpatType::Sanrenpuku: return NewBetType::Sanrenpuku;
    case IpatType::Sanrentan: return NewBetType::Sanrentan;
    default: return std::nullopt;
  }
}

const char* ipatTypeName(IpatType t) {
  if (const auto r = ipatRecordType(t)) return betTypeName(*r);
  return newBetTypeName(*ipatNewType(t));
}

std::vector<Combination> ipatPoints(const IpatLine& l) {
  if (ipatRecordType(l.type)) return recordPoints(l);
  return expandPoints(ipatPurchaseLine(l));
}

PurchaseLine ipatPurchaseLine(const IpatLine& l) {
  PurchaseLine p;
  p.type = ipatNewType(l.type).value_or(NewBetType::Umatan);
  p.method = l.method;
  p.sets = l.sets;
  p.multi = l.multi;
  p.places = l.places;
  p.stake = l.stake;
  return p;
}

std::string ipatRaceText(const IpatLine& l) {
  std::string s = keibajo(l.course).name;
  s += std::to_string(l.race);
  s += 'R';
  return s;
}

std::string ipatMethodText(const IpatLine& l) {
  std::string s = betMethodName(l.method);
  if (l.multi) s += "ﾏﾙﾁ";
  return s;
}

Result<IpatFile> readIpatCsv(std::string_view cp932, const std::string& file) {
  auto refuse = [&](int line, const std::string& text) -> Result<IpatFile> {
    return Refusal{MsgIcon::Error, refusalText(file, line, text)};
  };
  if (cp932.size() > kIpatFileLimit) return refuse(1, msg::kIpatTooLarge);
  const std::string text = cp932ToUtf8(cp932);
  std::vector<std::string_view> lines = split(text, '\n');
  for (auto& l : lines)
    if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  if (lines.empty()) return refuse(1, msg::kIpatNoHeader);

  const auto header = csvFields(lines[0]);
  bool headerOk = header.size() == 12;
  for (std::size_t i = 0; headerOk && i < 12; ++i) headerOk = fold(header[i]) == fold(kHeader[i]);
  if (!headerOk) return refuse(1, msg::kIpatBadHeader);

  IpatFile out;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const int lineNo = static_cast<int>(i) + 1;
    if (lines[i].empty()) continue;
    const auto f = csvFields(lines[i]);
    if (f.size() >= 3 && fold(f[2]) == "合計") {
      for (std::size_t j = i + 1; j < lines.size(); ++j)
        if (!lines[j].empty()) return refuse(static_cast<int>(j) + 1, msg::kIpatAfterTrailer);
      if (f.size() > 8) {
        const std::string total = noThousands(fold(f[8]));
        if (!isNone(total)) {
          const auto t = digits(total, 15);
          if (!t) return refuse(lineNo, msg::kIpatTrailerTotal);
          out.trailerTotal = *t;
          out.trailerLine = lineNo;
        }
      }
      return out;
    }
    if (f.size() != 12) return refuse(lineNo, msg::kIpatColumns);
    if (const std::string bad = readLine(f, lineNo, out); !bad.empty()) return refuse(lineNo, bad);
  }
  return refuse(static_cast<int>(lines.size()) + 1, msg::kIpatNoTrailer);
}

}  // namespace tovra
