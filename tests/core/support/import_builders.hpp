#pragma once
// Outside files for the import tests, built field by field from the layouts' field
// tables with literal offsets, and one real race day: the Japan Cup of 2018 (5回東京8日,
// 11R, 11月25日), with its official finishing order and payouts.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "storage/text.hpp"

namespace tovra::importtest {

// A fixed-length record of text, blank-filled, written at byte offsets.
class Rec {
 public:
  explicit Rec(std::size_t length, char fill = ' ') : b_(length, fill) {}
  // Text (UTF-8 in the test, stored as CP932) at an offset, padded to `width` with blanks
  // (full-width blanks when `fullWidthPad`).
  Rec& text(std::size_t off, std::size_t width, std::string_view utf8, bool fullWidthPad = false) {
    std::string s = sj(utf8);
    while (s.size() + (fullWidthPad ? 2 : 1) <= width) s += fullWidthPad ? sj("　") : " ";
    return raw(off, s.substr(0, width));
  }
  // A right-aligned decimal number, zero-padded.
  Rec& num(std::size_t off, std::size_t width, long long v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*lld", static_cast<int>(width), v);
    return raw(off, std::string(buf).substr(0, width));
  }
  Rec& raw(std::size_t off, std::string_view bytes) {
    b_.replace(off, bytes.size(), bytes);
    return *this;
  }
  const std::string& str() const { return b_; }
  std::vector<std::uint8_t> bytes() const { return {b_.begin(), b_.end()}; }

 private:
  std::string b_;
};

inline std::vector<std::uint8_t> join(const std::vector<Rec>& recs) {
  std::vector<std::uint8_t> out;
  for (const Rec& r : recs) out.insert(out.end(), r.str().begin(), r.str().end());
  return out;
}

// --- the real race day ---

struct Runner {
  int number, waku;
  const char* name;    // full-width katakana
  const char* half;    // as the ledger keeps it
  int kinryo;          // kg
  const char* jockey;  // JRA-VAN's eight-byte short name
  int position;        // finishing position
  int time;            // m s s t
  const char* margin;  // JRA-VAN margin code
};

// Japan Cup 2018: 14 runners, 2:20.6 (the course record), 良, 芝2400m.
inline const std::vector<Runner>& japanCup2018() {
  static const std::vector<Runner> r = {
      {1, 1, "アーモンドアイ", "ｱ-ﾓﾝﾄﾞｱｲ", 53, "ルメール", 1, 2206, "   "},
      {2, 2, "ハッピーグリン", "ﾊｯﾋﾟ-ｸﾞﾘﾝ", 55, "服部茂", 7, 2222, "134"},
      {3, 3, "サトノダイヤモンド", "ｻﾄﾉﾀﾞｲﾔﾓﾝﾄﾞ", 57, "モレイラ", 6, 2219, "K  "},
      {4, 3, "サトノクラウン", "ｻﾄﾉｸﾗｳﾝ", 57, "ビュイッ", 9, 2226, "2  "},
      {5, 4, "ミッキースワロー", "ﾐｯｷ-ｽﾜﾛ-", 57, "横山典", 5, 2219, "2  "},
      {6, 4, "サンダリングブルー", "ｻﾝﾀﾞﾘﾝｸﾞﾌﾞﾙ-", 57, "ベリー", 10, 2234, "5  "},
      {7, 5, "サウンズオブアース", "ｻｳﾝｽﾞｵﾌﾞｱ-ｽ", 57, "田辺", 14, 2252, "212"},
      {8, 5, "キセキ", "ｷｾｷ", 57, "川田", 2, 2209, "134"},
      {9, 6, "シュヴァルグラン", "ｼｭｳﾞｧﾙｸﾞﾗﾝ", 57, "Ｃデムー", 4, 2215, "K  "},
      {10, 6, "ガンコ", "ｶﾞﾝｺ", 57, "蛯名", 12, 2243, "312"},
      {11, 7, "スワーヴリチャード", "ｽﾜ-ｳﾞﾘﾁｬ-ﾄﾞ", 57, "Ｍデムー", 3, 2215, "312"},
      {12, 7, "カプリ", "ｶﾌﾟﾘ", 57, "ムーア", 11, 2237, "134"},
      {13, 8, "ノーブルマーズ", "ﾉ-ﾌﾞﾙﾏ-ｽﾞ", 57, "高倉", 13, 2248, "3  "},
      {14, 8, "ウインテンダネス", "ｳｲﾝﾃﾝﾀﾞﾈｽ", 57, "内田博", 8, 2223, "K  "},
  };
  return r;
}

// The official payouts (yen per 100 yen).
struct Payout {
  int code, yen;
};
inline const std::vector<Payout> kJcTan = {{1, 140}};
inline const std::vector<Payout> kJcFuku = {{1, 110}, {8, 160}, {11, 150}};
inline const std::vector<Payout> kJcWaku = {{15, 600}};
inline const std::vector<Payout> kJcUma = {{108, 590}};
inline const std::vector<Payout> kJcWide = {{108, 230}, {111, 240}, {811, 470}};

// The race items code: 3歳上, ＧⅠ (オープン + grade A), 国際, 牡牝, 定量, 芝, 良.
inline constexpr std::uint32_t kJcKoumoku = 30951311;
inline constexpr const char* kJcName = "ジャパンカップ";

// --- JRA-VAN, newer layout ---

// The common head of both kinds (positions 0..137).
inline void jvNewHead(Rec& r, const char* year, int mmdd, int courseCode, int kaiNichi, int race, const char* name,
                      char grade, int type, char mark, char sex, char weight, int condition, int distance, int track) {
  r.raw(0, year).num(4, 4, mmdd).num(8, 2, courseCode).num(10, 4, kaiNichi).num(14, 2, race);
  r.text(17, 60, name, true);
  r.raw(86, std::string(1, grade)).num(87, 2, type).raw(89, std::string(1, mark)).raw(90, std::string(1, sex) + " ");
  r.raw(92, std::string(1, weight));
  const std::size_t condAt = (type == 11 || type == 21) ? 93 : (type == 14 || type == 19 || type == 24) ? 99 : 96;
  r.num(condAt, 3, condition);
  r.num(132, 4, distance).num(136, 2, track);
}

inline Rec jvNewResultJapanCup() {
  Rec r(3048);
  jvNewHead(r, "2018", 1125, 5, 508, 11, kJcName, 'A', 13, 'N', '0', '4', 999, 2400, 11);
  r.num(331, 1, 1);  // 良
  for (std::size_t i = 0; i < kJcTan.size(); ++i)
    r.num(333 + i * 11, 2, kJcTan[i].code).num(335 + i * 11, 7, kJcTan[i].yen);
  for (std::size_t i = 0; i < kJcFuku.size(); ++i)
    r.num(366 + i * 11, 2, kJcFuku[i].code).num(368 + i * 11, 7, kJcFuku[i].yen);
  for (std::size_t i = 0; i < kJcWaku.size(); ++i)
    r.num(421 + i * 11, 2, kJcWaku[i].code).num(423 + i * 11, 7, kJcWaku[i].yen);
  for (std::size_t i = 0; i < kJcUma.size(); ++i)
    r.num(454 + i * 15, 4, kJcUma[i].code).num(458 + i * 15, 8, kJcUma[i].yen);
  for (std::size_t i = 0; i < kJcWide.size(); ++i)
    r.num(499 + i * 15, 4, kJcWide[i].code).num(503 + i * 15, 8, kJcWide[i].yen);
  // Unused payout entries are zeros in the file.
  r.num(344, 9, 0).num(399, 9, 0).num(432, 9, 0).num(469, 12, 0);
  for (std::size_t i = 3; i < 6; ++i) r.num(499 + i * 15, 12, 0);
  for (const Runner& x : japanCup2018()) {
    const std::size_t e = 726 + static_cast<std::size_t>(x.number - 1) * 129;
    r.num(e, 1, x.waku).text(e + 11, 18, x.name, true).num(e + 30, 3, x.kinryo * 10).text(e + 39, 8, x.jockey, true);
    r.num(e + 82, 4, x.time).raw(e + 86, x.margin).num(e + 91, 2, x.position);
  }
  return r;
}

inline Rec jvNewCardJapanCup() {
  Rec r(1463);
  jvNewHead(r, "2018", 1125, 5, 508, 11, kJcName, 'A', 13, 'N', '0', '4', 999, 2400, 11);
  for (const Runner& x : japanCup2018()) {
    const std::size_t e = 329 + static_cast<std::size_t>(x.number - 1) * 63;
    r.num(e, 1, x.waku).text(e + 11, 18, x.name, true).num(e + 30, 3, x.kinryo * 10).text(e + 39, 8, x.jockey, true);
  }
  return r;
}

// --- JRA-VAN, older layout ---

// 出馬表 (584 bytes): the condition code at `condAt` (86, 89, 92 or 95).
inline Rec jvOldCard(int courseCode, int kai, int nichi, int race, const char* name, int type, char mark, char sex,
                     char weight, int condition, std::size_t condAt, int distance, int track, char grade) {
  Rec r(584);
  r.num(0, 2, courseCode).num(2, 2, 18).num(4, 1, kai).num(5, 1, nichi).num(6, 2, race);
  r.text(17, 60, name, true).num(80, 2, type).raw(82, std::string(1, mark)).raw(83, std::string(1, sex));
  r.raw(85, std::string(1, weight));
  for (std::size_t p = 86; p < 98; p += 3) r.num(p, 3, 0);
  r.num(condAt, 3, condition).num(98, 4, distance).num(102, 2, track).raw(104, std::string(1, grade));
  return r;
}

// 成績 (1323 bytes) with the accepted condition code at P (18 normally).
inline Rec jvOldResult(int courseCode, int kai, int nichi, int race, const char* name, int type, char mark, char sex,
                       char weight, int condition, std::size_t p, int distance, int track, char grade, int going) {
  Rec r(1323);
  r.num(0, 2, courseCode).num(2, 2, 18).num(4, 1, kai).num(5, 1, nichi).num(6, 2, race);
  r.num(13, 2, type).raw(15, std::string(1, mark)).raw(16, std::string(1, sex));
  for (std::size_t q = 18; q < p; q += 3) r.num(q, 3, 0);
  r.num(p, 3, condition).raw(p + 3, std::string(1, weight)).num(p + 4, 4, distance).num(p + 8, 2, track);
  r.text(p + 10, 60, name, true).raw(p + 73, std::string(1, grade)).num(p + 75, 1, going);
  for (std::size_t o : {157u, 184u, 229u}) r.num(p + o, o == 184 ? 36 : 18, 0);
  r.num(p + 256, 24, 0);
  return r;
}

}  // namespace tovra::importtest

namespace tovra::importtest {

// --- PAT ---

// The purchase index: entries of (stem or name, year, month * 100 + day).
struct PatIndexRow {
  const char* file;  // kind 0: the whole 8-character name; kinds 1..3: the stem
  const char* year;  // kinds 2, 3
  int mmdd;
};
inline std::vector<std::uint8_t> patIndex(int kind, const std::vector<PatIndexRow>& rows) {
  const std::size_t first = kind == 0   ? 1
                            : kind == 1 ? 22
                                        : 23,
                    size = kind >= 2 ? 26 : 18, count = kind >= 2 ? 100 : 10;
  Rec r(first + size * count);
  for (std::size_t i = 0; i < count; ++i) r.num(first + i * size + 12, 4, 0);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::size_t e = first + i * size;
    if (kind == 0)
      r.text(e, 8, rows[i].file).num(e + 12, 4, rows[i].mmdd);
    else if (kind == 1)
      r.text(e, 4, rows[i].file).num(e + 12, 4, rows[i].mmdd);
    else
      r.text(e, 5, rows[i].file).raw(e + 8, rows[i].year).num(e + 12, 4, rows[i].mmdd);
  }
  return r.bytes();
}

struct PatTicketRow {
  int course, race, type, numbers, stake;
};
// A purchase file ending with its end condition (or the end of the file with `open`).
inline std::vector<std::uint8_t> patPurchases(int kind, const std::vector<PatTicketRow>& rows, bool open = false) {
  const std::size_t first = kind == 0   ? 5
                            : kind == 1 ? 18
                                        : 23,
                    size = kind == 0   ? 16
                           : kind == 1 ? 18
                                       : 19,
                    lead = kind == 0 ? 0 : 3;
  Rec r(first + size * (rows.size() + (open ? 0 : 1)));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::size_t e = first + i * size;
    if (lead) r.num(e, 3, static_cast<long long>(i + 1));
    r.num(e + lead, 2, rows[i].course).num(e + lead + 2, 2, rows[i].race).num(e + lead + 4, 1, rows[i].type);
    r.num(e + lead + 5, 4, rows[i].numbers).num(e + lead + 9, 4, rows[i].stake);
  }
  if (!open) {
    const std::size_t e = first + rows.size() * size;
    if (lead)
      r.num(e, 3, 0).num(e + 3, 2, 5).num(e + 5, 2, 1);  // a record 000 ends the file
    else
      r.raw(e, "9");  // neither '0' nor '1'
  }
  return r.bytes();
}

// The head of a result or entries file.
inline void patHead(Rec& r, const char* year, int mmdd, const char* course, int kaiNichi, int race) {
  r.raw(0, year).num(4, 4, mmdd).text(8, 4, course).num(16, 4, kaiNichi).num(20, 2, race);
}

// The Japan Cup's result file for a kind (3: with the wide results; d = 1).
inline std::vector<std::uint8_t> patResultJapanCup(int kind) {
  const std::size_t d = kind == 3 ? 1 : 0;
  Rec r(kind == 3 ? 640 : 540);
  patHead(r, "2018", 1125, "東京", 508, 11);
  const char* names[5] = {"アーモンドアイ", "キセキ", "スワーヴリチャード", "シュヴァルグラン", "ミッキースワロー"};
  const int numbers[5] = {1, 8, 11, 9, 5};
  const char* texts[5] = {"2.20.6", "1.3/4", "3.1/2", "クビ", "2"};
  for (std::size_t i = 0; i < 5; ++i)
    r.num(92 + i * 40, 2, numbers[i]).text(94 + i * 40, 18, names[i], true).text(112 + i * 40, 6, texts[i]);
  for (std::size_t i = 0; i < 2; ++i) r.num(374 + d + i * 10, 10, 0);
  r.num(374 + d, 2, 1).num(376 + d, 8, 140);
  for (std::size_t i = 0; i < 4; ++i) {
    const Payout p = i < kJcFuku.size() ? kJcFuku[i] : Payout{0, 0};
    r.num(404 + d + i * 10, 2, p.code).num(406 + d + i * 10, 8, p.yen);
  }
  r.num(455 + d, 1, 1).num(457 + d, 1, 5).num(458 + d, 8, 600).num(466 + d, 11, 0);
  r.num(491 + d, 2, 1).num(494 + d, 2, 8).num(496 + d, 8, 590).num(504 + d, 13, 0);
  if (kind == 3)
    for (std::size_t i = 0; i < 6; ++i) {
      const Payout p = i < kJcWide.size() ? kJcWide[i] : Payout{0, 0};
      r.num(534 + i * 14, 2, p.code / 100).num(537 + i * 14, 2, p.code % 100).num(539 + i * 14, 8, p.yen);
    }
  return r.bytes();
}

// The Japan Cup's entries file; `kinryoText` writes each weight as the file would.
inline std::vector<std::uint8_t> patEntriesJapanCup(bool fullWidthWeights = false) {
  Rec r(93 + 18 * 48 + 10);
  patHead(r, "2018", 1125, "東京", 508, 11);
  for (const Runner& x : japanCup2018()) {
    const std::size_t e = 93 + static_cast<std::size_t>(x.number - 1) * 48;
    r.num(e, 1, x.waku).text(e + 5, 18, x.name, true).text(e + 23, 18, x.jockey, true);
    if (fullWidthWeights)
      r.text(e + 43, 4, x.kinryo == 53 ? "５３" : x.kinryo == 55 ? "５５" : "５７");
    else
      r.raw(e + 43, std::to_string(x.kinryo) + ".0");
  }
  return r.bytes();
}

}  // namespace tovra::importtest

namespace tovra::importtest {

// --- NIFTY board texts ---

// Full-width text of the board (CP932).
inline std::string fw(const char* utf8) { return sj(utf8); }
inline std::string fwDigit(int d) {
  return sj(std::string("０１２３４５６７８９").substr(static_cast<std::size_t>(d) * 3, 3));
}
// A horse number in four bytes: "　５" (win, place) or "０５" (quinella, wide); "１２".
inline std::string fwHorse(int n, bool zeroLead) {
  return (n >= 10 ? fwDigit(1) : zeroLead ? fwDigit(0) : fw("　")) + fwDigit(n % 10);
}
// A payout of six full-width characters, blanks before the digits.
inline std::string fwPay(int yen) {
  std::string digits = std::to_string(yen), out;
  for (std::size_t i = digits.size(); i < 6; ++i) out += fw("　");
  for (char c : digits) out += fwDigit(c - '0');
  return out;
}
inline std::string fwBrackets(int a, int b) { return fwDigit(a) + fw("－") + fwDigit(b); }
inline std::string fwHorses(int a, int b) { return fwHorse(a, true) + fw("－") + fwHorse(b, true); }

struct NiftyFinisher {
  int number;
  const char* name;  // full-width katakana
  const char* text;  // full-width, e.g. "２：２０．６"
};
struct NiftyEntry {
  std::string field, payout;  // raw bytes: the number field (W bytes) and 12 payout bytes
};
struct NiftyRace {
  int kai = 5, nichi = 8;
  const char* course = "東京";
  int race = 11;
  std::vector<NiftyFinisher> finishers;
  std::vector<NiftyEntry> win, place, waku, uma, wide;  // entries as they stand, end fields included
};

// One race block: the head line after "第", one line per finisher (a "単" line ends a
// list of fewer than five), then one line with the payout sections at the byte
// distances the reader uses. `at` is where the block starts in the file.
inline std::string niftyBlock(const NiftyRace& r, std::size_t at) {
  std::string b = fw("第");
  const std::size_t s = at + b.size();
  b += fwDigit(r.kai) + fw("回") + fw(r.course) + fw("　") + fw("　") + fwDigit(r.nichi) + fw("日目") + "      " +
       (r.race >= 10 ? fwDigit(1) + fwDigit(r.race % 10) : fw("　") + fwDigit(r.race)) + "\r\n";
  for (std::size_t p = 0; p < r.finishers.size(); ++p) {
    std::string name = fw(r.finishers[p].name), text = fw(r.finishers[p].text);
    while (name.size() < 24) name += fw("　");
    while (text.size() < 15) text += " ";
    b += fwDigit(static_cast<int>(p + 1)) + fw("着") + fwHorse(r.finishers[p].number, false) + name.substr(0, 24) +
         text.substr(0, 15) + "\r\n";
  }
  if (r.finishers.size() < 5) b += fw("単勝") + "\r\n";
  const std::size_t l = at + b.size();  // the section line
  std::string line(1400, ' ');
  auto put = [&](std::size_t absolute, const std::string& bytes) { line.replace(absolute - l, bytes.size(), bytes); };
  auto entries = [&](std::size_t first, std::size_t a2, std::size_t w, std::size_t bskip,
                     const std::vector<NiftyEntry>& es) {
    std::size_t pos = first;
    for (std::size_t i = 0; i < es.size(); ++i) {
      if (i) pos += a2;
      put(pos, es[i].field);
      put(pos + w + bskip, es[i].payout);
      pos += w + bskip + 12;
    }
  };
  put(l, fw("複"));
  entries(l + 2 + 16, 36, 4, 4, r.win);
  entries(l + 2 + 44, 38, 4, 2, r.place);
  put(l + 240, fw("枠"));
  entries(l + 242 + 56, 34, 6, 4, r.waku);
  const std::size_t umaAt = l + 400;  // the scan from s + 100 is aligned to this line by its line feeds
  put(umaAt, fw("馬"));
  entries(umaAt + 2 + 54, 32, 10, 2, r.uma);
  std::size_t waAt = std::max(umaAt + 140, s + 500);
  if ((waAt - (s + 500)) % 2) ++waAt;
  put(waAt, fw("ワ"));
  entries(waAt + 2 + 50, 32, 10, 2, r.wide);
  return b + line + "\r\n";
}

// A board text: the head (回, course and 日目 at byte 32) and the blocks from byte 66.
inline std::vector<std::uint8_t> niftyFile(const std::vector<NiftyRace>& races, int kai = 5,
                                           const char* course = "東京", int nichi = 8) {
  std::string f(66, ' ');
  f.replace(32, 2, fwDigit(kai));
  f.replace(36, 4, fw(course));
  f.replace(44, 2, fwDigit(nichi));
  f.replace(64, 2, "\r\n");
  for (const NiftyRace& r : races) f += niftyBlock(r, f.size());
  return {f.begin(), f.end()};
}

// The Japan Cup of 2018 as the board reported it.
inline NiftyRace niftyJapanCup() {
  NiftyRace r;
  r.finishers = {{1, "アーモンドアイ", "２：２０．６"},
                 {8, "キセキ", "１　３／４"},
                 {11, "スワーヴリチャード", "３　１／２"},
                 {9, "シュヴァルグラン", "クビ"},
                 {5, "ミッキースワロー", "２"}};
  r.win = {{fwHorse(1, false), fwPay(140)}, {fw("連勝"), fwPay(0)}};
  r.place = {{fwHorse(1, false), fwPay(110)},
             {fwHorse(8, false), fwPay(160)},
             {fwHorse(11, false), fwPay(150)},
             {"    ", fwPay(0)}};
  r.waku = {{fwBrackets(1, 5), fwPay(600)}, {fw("番連勝"), fwPay(0)}};
  r.uma = {{fwHorses(1, 8), fwPay(590)}, {fw("馬番ワイド"), fwPay(0)}};
  r.wide = {{fwHorses(1, 8), fwPay(230)},
            {fwHorses(1, 11), fwPay(240)},
            {fwHorses(8, 11), fwPay(470)},
            {fw("……………"), fwPay(0)}};
  return r;
}

}  // namespace tovra::importtest
