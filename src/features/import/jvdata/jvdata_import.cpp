#include "features/import/jvdata/jvdata_import.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <map>

#include "domain/settlement.hpp"
#include "features/import/fields.hpp"
#include "features/import/halfwidth.hpp"
#include "features/import/import_files.hpp"
#include "features/import/race_codes.hpp"
#include "features/import/win5_import.hpp"
#include "domain/win5.hpp"
#include "storage/ledger.hpp"
#include "storage/text.hpp"

namespace tovra {
namespace {

std::string head() { return std::string(msg::kJvCaption) + "：\n\n"; }

Refusal refusal(const std::string& text) { return Refusal{MsgIcon::Error, head() + text}; }

// The two bytes of a record kind as a message shows them: letters and digits as they
// are, anything else in hexadecimal.
std::string kindText(const std::string& kind) {
  std::string out;
  for (const char c : kind) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z')) {
      out += c;
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "<%02X>", u);
      out += buf;
    }
  }
  return out;
}

Refusal faultRefusal(const JvScanFault& f, const std::string& shown) {
  std::string t = shown;
  t += " の ";
  t += std::to_string(f.record);
  t += " 件目のﾚｺｰﾄﾞ (";
  t += std::to_string(f.offset + 1);
  t += " ﾊﾞｲﾄ目から";
  if (!f.recordKind.empty()) {
    t += "、種別 ";
    t += kindText(f.recordKind);
  }
  t += ") ";
  switch (f.kind) {
    case JvScanFault::Kind::Unknown: t += "は読めない種類のﾚｺｰﾄﾞです。"; break;
    case JvScanFault::Kind::Cut: t += "がﾌｧｲﾙの終わりで切れています。"; break;
    case JvScanFault::Kind::NoLineEnd: t += "の長さが合いません (行末がありません)。"; break;
  }
  t += "\n読み込みを中止します。";
  return refusal(t);
}

// The going of a race: the turf's for turf and jumps, the dirt's for dirt.
int goingOf(const JvRace& r) { return r.track >= 23 && r.track <= 50 ? r.dirtGoing : r.turfGoing; }

// The condition of the race's youngest age group; the first one given when it is blank.
int conditionOf(const JvRace& r) {
  if (r.conditions[4] != 0) return r.conditions[4];
  for (const int c : r.conditions)
    if (c != 0) return c;
  return 0;
}

void applyRace(const JvRace& ra, KaisaiRecord& meeting, RaceRecord& race, int r) {
  const char mark = ra.mark.size() > 0 ? ra.mark[0] : ' ';
  const char sex = ra.mark.size() > 1 ? ra.mark[1] : ' ';
  race.koumoku = jravanItemsCode(ra.typeCode, conditionOf(ra), ra.grade, mark, sex, ra.weight, ra.track, goingOf(ra));
  race.kyori = static_cast<std::uint16_t>(std::clamp(ra.distance, 0, 65535));
  storeText(meeting.raceMei[r], ra.name);
}

// Carried weight in tenths: 550 -> 55 (whole kilograms), 535 stays 535 (tenths).
std::uint16_t kinryo(int tenths) { return static_cast<std::uint16_t>(tenths % 10 == 0 ? tenths / 10 : tenths); }

// The card of a race from its horses (horse numbers 1..18): the whole card is replaced.
void applyCard(const std::vector<const JvRunner*>& runners, RaceRecord& race) {
  std::fill(std::begin(race.shutsubaWaku), std::end(race.shutsubaWaku), 0);
  std::memset(race.shutsubaBamei, 0, sizeof race.shutsubaBamei);
  std::memset(race.shutsubaKishu, 0, sizeof race.shutsubaKishu);
  std::fill(std::begin(race.shutsubaKinryo), std::end(race.shutsubaKinryo), 0);
  for (const JvRunner* h : runners) {
    if (h->horse < 1 || h->horse > 18) continue;
    const auto j = static_cast<std::size_t>(h->horse - 1);
    race.shutsubaWaku[j] = static_cast<std::uint16_t>(std::clamp(h->frame, 0, 8));
    storeText(race.shutsubaBamei[j], halfWidthFitting(h->name, sizeof race.shutsubaBamei[j] - 1));
    race.shutsubaKinryo[j] = kinryo(std::clamp(h->carried, 0, 999));
    storeText(race.shutsubaKishu[j], h->jockey);
  }
}

// The first five finishers, by confirmed position; a horse on a position already taken (a
// dead heat) goes to the next free place with "同着". Left as they are when no horse of the
// race has a position yet (a card before the race).
void applyFinishers(const std::vector<const JvRunner*>& runners, RaceRecord& race) {
  std::vector<const JvRunner*> finishers;
  bool anyPosition = false;
  for (const JvRunner* h : runners) {
    if (h->horse < 1 || h->horse > 18) continue;
    anyPosition = anyPosition || h->position != 0;
    if (h->position >= 1 && h->position <= 5) finishers.push_back(h);
  }
  if (!anyPosition) return;
  std::fill(std::begin(race.chakuUma), std::end(race.chakuUma), 0);
  std::memset(race.chakuBamei, 0, sizeof race.chakuBamei);
  std::memset(race.chakuText, 0, sizeof race.chakuText);
  std::stable_sort(finishers.begin(), finishers.end(),
                   [](const JvRunner* a, const JvRunner* b) { return a->position < b->position; });
  std::array<int, 5> taken{};
  for (const JvRunner* h : finishers) {
    auto place = static_cast<std::size_t>(h->position - 1);
    while (place < 5 && taken[place] != 0) ++place;
    if (place >= 5) continue;
    const bool deadHeat = place != static_cast<std::size_t>(h->position - 1);
    taken[place] = h->position;
    race.chakuUma[place] = static_cast<std::uint16_t>(h->horse);
    storeText(race.chakuBamei[place], halfWidthFitting(h->name, sizeof race.chakuBamei[place] - 1));
    std::string text;
    if (deadHeat)
      text = jravanMarginText("D  ");
    else if (h->position == 1)
      text = jravanTimeText(h->time);
    else
      text = jravanMarginText(h->margin);
    storeText(race.chakuText[place], text);
  }
}

template <std::size_t N>
void clearSlots(std::uint16_t (&keka)[N], std::int32_t (&haitou)[N]) {
  std::fill(std::begin(keka), std::end(keka), 0);
  std::fill(std::begin(haitou), std::end(haitou), 0);
}

std::int32_t payoutOf(std::int64_t p) { return static_cast<std::int32_t>(std::clamp<std::int64_t>(p, 0, 999'999'999)); }

// A type's payouts into the record's slots, packed from the front, the rest emptied. A
// slot the record has no room for is left out. `code` makes the record's code.
template <std::size_t N, class Code>
void fillSlots(const std::vector<JvPay>& pays, std::uint16_t (&keka)[N], std::int32_t (&haitou)[N], Code code) {
  clearSlots(keka, haitou);
  std::size_t i = 0;
  for (const JvPay& p : pays) {
    const int c = code(p);
    if (c <= 0) continue;
    if (i == N) break;
    keka[i] = static_cast<std::uint16_t>(c);
    haitou[i] = payoutOf(p.payout);
    ++i;
  }
}

bool horseOk(int h) { return h >= 1 && h <= 18; }

void clearResults(RaceRecord& race) {
  clearSlots(race.tanKeka, race.tanHaitou);
  clearSlots(race.fukuKeka, race.fukuHaitou);
  clearSlots(race.wakuKeka, race.wakuHaitou);
  clearSlots(race.umaKeka, race.umaHaitou);
  clearSlots(race.wideKeka, race.wideHaitou);
}

void applyOldResults(const JvPayouts& p, RaceRecord& race) {
  const auto single = [](const JvPay& x) { return horseOk(x.horses[0]) ? x.horses[0] : 0; };
  const auto frames = [](const JvPay& x) {
    const int a = std::min(x.horses[0], x.horses[1]), b = std::max(x.horses[0], x.horses[1]);
    return a >= 1 && b <= 8 ? a * 10 + b : 0;
  };
  const auto pair = [](const JvPay& x) {
    const int a = std::min(x.horses[0], x.horses[1]), b = std::max(x.horses[0], x.horses[1]);
    return horseOk(a) && horseOk(b) && a < b ? a * 100 + b : 0;
  };
  fillSlots(p.pays[jvIndex(JvPayType::Win)], race.tanKeka, race.tanHaitou, single);
  fillSlots(p.pays[jvIndex(JvPayType::Place)], race.fukuKeka, race.fukuHaitou, single);
  fillSlots(p.pays[jvIndex(JvPayType::Bracket)], race.wakuKeka, race.wakuHaitou, frames);
  fillSlots(p.pays[jvIndex(JvPayType::Quinella)], race.umaKeka, race.umaHaitou, pair);
  fillSlots(p.pays[jvIndex(JvPayType::Wide)], race.wideKeka, race.wideHaitou, pair);
}

// The store's results of a race from its payouts and its horses.
ImportedRace storeResults(const JvPayouts& p, const std::vector<const JvRunner*>& runners, int r) {
  ImportedRace out;
  out.race = r;
  out.results = true;
  if (p.dataKind == '0') return out;  // cleared
  struct NewType {
    JvPayType type;
    int store;  // 0 馬単 1 3連複 2 3連単
    int horses;
  };
  constexpr NewType kTypes[] = {{JvPayType::Exacta, 0, 2}, {JvPayType::Trio, 1, 3}, {JvPayType::Trifecta, 2, 3}};
  for (const NewType& t : kTypes) {
    const std::size_t i = jvIndex(t.type);
    for (const JvPay& pay : p.pays[i]) {
      StoredWinner w;
      w.type = t.store;
      bool ok = pay.payout > 0;
      for (int h = 0; h < t.horses; ++h) {
        w.combo[static_cast<std::size_t>(h)] = pay.horses[static_cast<std::size_t>(h)];
        ok = ok && horseOk(pay.horses[static_cast<std::size_t>(h)]);
      }
      if (t.store == 1) std::sort(w.combo.begin(), w.combo.end());
      w.payout = std::min<std::int64_t>(pay.payout, 999'999'999);
      const bool twice = std::find(out.winners.begin(), out.winners.end(), w) != out.winners.end();
      if (ok && !twice) out.winners.push_back(w);
    }
    if (p.special[i] && p.specialPay[i] > 0)
      out.special[static_cast<std::size_t>(t.store)] = std::min<std::int64_t>(p.specialPay[i], 999'999'999);
  }
  std::vector<int> scratched;
  std::vector<int> frames;
  if (p.dataKind == '9') {
    for (int h = 1; h <= 18; ++h) scratched.push_back(h);
    for (int f = 1; f <= 8; ++f) frames.push_back(f);
  } else {
    for (const int h : p.refundedHorses)
      if (horseOk(h)) scratched.push_back(h);
    for (const JvRunner* h : runners)
      if (horseOk(h->horse) && h->abnormality >= 1 && h->abnormality <= 3) scratched.push_back(h->horse);
    frames = p.refundedFrames;
  }
  std::sort(scratched.begin(), scratched.end());
  scratched.erase(std::unique(scratched.begin(), scratched.end()), scratched.end());
  out.scratched = std::move(scratched);
  out.refundedFrames = std::move(frames);
  return out;
}

}  // namespace

Result<JvDayRecords> jvDataDayOf(std::span<const std::uint8_t> data, const std::string& shown, const DateKey& date) {
  const JvDayFilter filter{date.year * 10000 + date.month * 100 + date.day, date.course + 1};
  JvScan scan = scanJvData(data, filter);
  if (scan.fault) return faultRefusal(*scan.fault, shown);
  if (data.empty()) return refusal(shown + " は空のﾌｧｲﾙです。");
  const JvDayRecords& d = scan.day;
  const auto inDay = [](const JvRaceId& id) { return id.race >= 1 && id.race <= kRacesPerDay; };
  const bool any = std::any_of(d.races.begin(), d.races.end(), [&](const JvRace& x) { return inDay(x.id); }) ||
                   std::any_of(d.runners.begin(), d.runners.end(), [&](const JvRunner& x) { return inDay(x.id); }) ||
                   std::any_of(d.payouts.begin(), d.payouts.end(), [&](const JvPayouts& x) { return inDay(x.id); });
  if (!any) return refusal(shown + " には表示されている開催ﾃﾞｰﾀのﾚｰｽがありません。");
  return std::move(scan.day);
}

Result<JvDayRecords> readJvDataDay(const Ledger& ledger, const std::filesystem::path& file, const DateKey& date,
                                   ImportSource* source) {
  const std::filesystem::path p = file.is_absolute() ? file : ledger.root() / file;
  const std::string shown = shownPath(ledger.root(), p);
  FileHead whole;
  if (!readFileHead(ledger.fs(), p, kJvMaxFile + 1, whole)) return refusal(shown + " が見つかりません。");
  if (whole.size > kJvMaxFile) return refusal(shown + " は大きすぎます (512 MB まで)。");
  auto day = jvDataDayOf(whole.bytes, shown, date);
  if (day && source) {
    std::string when = std::to_string(date.year);
    when += "年";
    when += std::to_string(date.month);
    when += "月";
    when += std::to_string(date.day);
    when += "日";
    *source = {shown, when};
  }
  return day;
}

std::vector<int> jvDeletedRaces(const JvDayRecords& records) {
  std::map<int, char> last;
  for (const JvPayouts& p : records.payouts)
    if (p.id.race >= 1 && p.id.race <= kRacesPerDay) last[p.id.race] = p.dataKind;
  std::vector<int> out;
  for (const auto& [r, kind] : last)
    if (kind == '0') out.push_back(r);
  return out;
}

JvApplied applyJvDataDay(const JvDayRecords& records, const DateKey& date, KaisaiRecord& meeting, RaceBlock& races,
                         bool clearDeleted) {
  JvApplied a;
  a.bets.date = date;
  a.deletionsCleared = clearDeleted;
  // Per race: its last RA, its horses (the last record of each horse), its last HR.
  std::array<const JvRace*, kRacesPerDay> ra{};
  std::array<std::map<int, const JvRunner*>, kRacesPerDay> horses;
  std::array<const JvPayouts*, kRacesPerDay> hr{};
  std::array<bool, kRacesPerDay> seen{};
  const auto slot = [](const JvRaceId& id) -> int {
    return id.race >= 1 && id.race <= kRacesPerDay ? id.race - 1 : -1;
  };
  for (const JvRace& x : records.races) {
    const int r = slot(x.id);
    if (r < 0 || x.dataKind == '0') continue;
    ra[static_cast<std::size_t>(r)] = &x;
    seen[static_cast<std::size_t>(r)] = true;
  }
  for (const JvRunner& x : records.runners) {
    const int r = slot(x.id);
    if (r < 0 || x.dataKind == '0') continue;
    horses[static_cast<std::size_t>(r)][x.horse] = &x;
    seen[static_cast<std::size_t>(r)] = true;
  }
  for (const JvPayouts& x : records.payouts) {
    const int r = slot(x.id);
    if (r < 0) continue;
    hr[static_cast<std::size_t>(r)] = &x;
    seen[static_cast<std::size_t>(r)] = true;
  }

  for (std::size_t i = 0; i < static_cast<std::size_t>(kRacesPerDay); ++i) {
    if (!seen[i]) continue;
    const int r = static_cast<int>(i);
    RaceRecord& race = races[i];
    std::vector<const JvRunner*> runners;
    for (const auto& [h, x] : horses[i]) runners.push_back(x);
    if (ra[i]) applyRace(*ra[i], meeting, race, r);
    if (!runners.empty()) {
      applyCard(runners, race);
      applyFinishers(runners, race);
    }
    a.races.push_back(r + 1);
    if (const JvPayouts* p = hr[i]) {
      if (p->dataKind == '0') {
        a.deleted.push_back(r + 1);
        if (clearDeleted) {
          clearResults(race);
          a.bets.races.push_back(storeResults(*p, runners, r + 1));
        }
      } else {
        applyOldResults(*p, race);
        if (p->dataKind == '9') a.cancelled.push_back(r + 1);
        a.bets.races.push_back(storeResults(*p, runners, r + 1));
      }
    }
  }
  settleAllRaces(meeting, races);
  a.bets.win5 = jvWin5Import(records, date, a.win5Text);
  for (const int r : a.races) {
    char buf[8];
    std::snprintf(buf, sizeof buf, " %2dR", r);
    a.text += buf;
    if (std::find(a.cancelled.begin(), a.cancelled.end(), r) != a.cancelled.end()) a.text += "中止";
  }
  return a;
}

std::vector<std::string> jvConfirmationLines(const JvApplied& a) {
  std::vector<std::string> lines{"読み込んだﾚｰｽ：" + a.text};
  if (!a.deleted.empty()) {
    std::string t = "削除されたﾚｰｽ：";
    for (const int r : a.deleted) {
      char buf[8];
      std::snprintf(buf, sizeof buf, " %2dR", r);
      t += buf;
    }
    t += a.deletionsCleared ? "  (結果を消去します)" : "  (結果はそのままです)";
    lines.push_back(t);
  }
  if (!a.win5Text.empty()) lines.push_back(a.win5Text);
  return lines;
}

std::string jvWin5Note(const JvWin5& wf) {
  std::string s;
  const auto part = [&s](const char* what, std::int64_t yen) {
    if (!s.empty()) s += "、";
    s += what;
    if (yen >= 0) {
      s += ' ';
      s += win5YenText(yen);
    }
  };
  if (wf.carryStart > 0) part("前回からのキャリーオーバー", wf.carryStart);
  if (wf.noWinner) part("的中なし", -1);
  if (wf.carryBalance > 0) part("キャリーオーバー", wf.carryBalance);
  return s;
}

std::optional<Win5Import> jvWin5Import(const JvDayRecords& records, const DateKey& date, std::string& text) {
  text.clear();
  const JvWin5* wf = nullptr;
  for (const JvWin5& x : records.win5)
    if (x.year == date.year && x.month == date.month && x.day == date.day && x.dataKind != '0') wf = &x;
  if (!wf) return std::nullopt;
  text = msg::kWin5ImportHead;
  std::array<Win5Leg, kWin5LegCount> legs{};
  for (std::size_t i = 0; i < legs.size(); ++i) {
    const JvWin5Leg& l = wf->legs[i];
    legs[i] = {l.course - 1, l.race};
    bool twice = false;
    for (std::size_t j = 0; j < i; ++j) twice = twice || legs[j] == legs[i];
    if (l.course < 1 || l.course > kCourseCount || l.race < 1 || l.race > kRacesPerDay || twice) {
      text += msg::kWin5LegsUnread;
      return std::nullopt;
    }
  }
  Win5Import im;
  im.legs = legs;
  text += "対象ﾚｰｽ";
  const bool cancelled = wf->refund || wf->failed;
  std::string unread;
  if (!wf->pays.empty() || wf->noWinner || cancelled) {
    std::vector<Win5Winner> winners;
    for (const JvWin5Pay& p : wf->pays) winners.push_back({p.horses, p.payout});
    if (checkWin5Winners(winners)) {
      std::vector<StoredWin5Winner> rows;
      for (const Win5Winner& w : winners) rows.push_back({w.horses, w.payout});
      im.winners = std::move(rows);
      im.cancelled = cancelled;
      text += cancelled ? "・返還" : wf->noWinner && winners.empty() ? "・結果" : "・払戻";
    } else {
      unread = msg::kWin5PayoutsUnread;
    }
  }
  text += " 取込";
  if (std::string note = jvWin5Note(*wf); !note.empty()) {
    text += "  ";
    text += note;
    im.note = std::move(note);
  }
  if (!unread.empty()) {
    text += "  ";
    text += unread;
  }
  return im;
}

Status checkJvWin5(BetStore& store, JvApplied& a) {
  if (!a.bets.win5 || !a.bets.win5->legs) return Done{};
  Win5Store w5(store);
  const auto held = w5.day({a.bets.date.year, a.bets.date.month, a.bets.date.day});
  if (!held) return held.failed() ? Status(held.failure()) : Status(held.refusal());
  if (*held && (*held)->legs != *a.bets.win5->legs) {
    a.win5Text = win5LegsDifferText((*held)->legs, *a.bets.win5->legs);
    a.bets.win5.reset();
  }
  return Done{};
}

}  // namespace tovra
