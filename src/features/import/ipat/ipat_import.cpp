#include "features/import/ipat/ipat_import.hpp"

#include <algorithm>
#include <chrono>
#include <map>
#include <set>

#include "domain/settlement.hpp"
#include "features/bets/race_bets.hpp"
#include "features/entry/meeting_ops.hpp"
#include "features/entry/purchase.hpp"
#include "features/import/import_day.hpp"
#include "features/import/import_files.hpp"
#include "features/import/win5_import.hpp"
#include "features/bets/win5_bets.hpp"
#include "domain/win5.hpp"
#include "storage/bet_store.hpp"
#include "storage/fileio.hpp"
#include "storage/ledger.hpp"
#include "storage/text.hpp"

namespace tovra {
namespace {

// A meeting day of the file with its lines and what the import makes of it.
struct DayWork {
  IpatDay day;
  std::vector<std::size_t> lines;  // indexes into IpatFile::lines
  std::optional<ImportCopy> copy;  // the day as stored (or blank, to be registered)
  DayImport bets;
};

struct Plan {
  IpatPreview preview;
  std::vector<DayWork> days;
  std::map<Win5Date, Win5Import> win5;  // the WIN5 lines taken, per date
};

// At least two digits ("08"). Built by appending: GCC's -O3 takes an insert at the front
// of a short string for an overlapping copy.
std::string two(int v) {
  std::string s;
  if (v >= 0 && v < 10) s += '0';
  s += std::to_string(v);
  return s;
}

std::string comboText(const Combination& c) {
  std::string s = two(c[0]);
  for (std::size_t i = 1; i < 3 && c[i] != 0; ++i) {
    s += '-';
    s += two(c[i]);
  }
  return s;
}

std::string dayText(const DateKey& d) {
  std::string s = keibajo(d.course).name;
  s += ' ';
  s += std::to_string(d.year);
  s += "年";
  s += std::to_string(d.month);
  s += "月";
  s += std::to_string(d.day);
  s += "日";
  return s;
}

bool yearRegistered(const NenjiTable& years, int year) {
  for (int i = 0; i < years.count(); ++i)
    if (years.nen[i] == year) return true;
  return false;
}

// A combination as the results keep it: 3連複 ascending, the others as bought.
Combination asResult(IpatType t, Combination c) {
  if (t == IpatType::Sanrenpuku) std::sort(c.begin(), c.end(), [](int a, int b) { return a != 0 && (b == 0 || a < b); });
  if (ipatRecordType(t) && c[1] != 0 && c[0] > c[1]) std::swap(c[0], c[1]);
  return c;
}

// The winning combinations the ledger holds for the line's type, with their payouts.
std::map<Combination, std::int64_t> winnersOf(const IpatLine& l, const RaceRecord& race, const StoredRace& stored) {
  std::map<Combination, std::int64_t> out;
  if (const auto t = ipatRecordType(l.type)) {
    const ConstSlots res = resultSlots(race, *t);
    for (int i = 0; i < res.capacity; ++i) {
      const int code = plainCode(*t, res.codes[i]);
      if (code == 0) continue;
      const Combination c = isPairType(*t) ? Combination{pairFirst(*t, code), pairSecond(*t, code), 0}
                                           : Combination{code, 0, 0};
      out[c] = res.amounts[i];
    }
    return out;
  }
  const int type = static_cast<int>(*ipatNewType(l.type));
  for (const StoredWinner& w : stored.winners)
    if (w.type == type) out[w.combo] = w.payout;
  return out;
}

void compareOutcome(const IpatLine& l, const RaceRecord& race, const StoredRace& stored,
                    std::vector<std::string>& out) {
  std::string head = std::to_string(l.line);
  head += "行目 ";
  head += ipatRaceText(l);
  head += ' ';
  head += ipatTypeName(l.type);
  head += "：";
  if (l.outcome == IpatOutcome::Refund) {
    if (stored.scratched.empty() && stored.refundedFrames.empty()) return;
    bool scratched = false;
    for (const auto& set : l.sets)
      for (int h : set)
        scratched = scratched || std::find(stored.scratched.begin(), stored.scratched.end(), h) != stored.scratched.end();
    if (l.type == IpatType::Waku) scratched = scratched || !stored.refundedFrames.empty();
    if (!scratched) out.push_back(head + "ﾌｧｲﾙは返還ですが、記録に取消の馬がありません。");
    return;
  }
  const auto winners = winnersOf(l, race, stored);
  if (winners.empty()) return;  // no result entered: nothing to compare
  std::vector<Combination> won;
  for (const Combination& p : ipatPoints(l))
    if (winners.count(asResult(l.type, p))) won.push_back(asResult(l.type, p));
  if (l.outcome == IpatOutcome::None) {
    for (const Combination& c : won) out.push_back(head + "ﾌｧｲﾙは外れですが、記録の結果では " + comboText(c) + " が的中です。");
    return;
  }
  if (l.hits.empty() && won.empty()) out.push_back(head + "ﾌｧｲﾙは的中ですが、記録の結果では外れです。");
  for (const Combination& h : l.hits) {
    const Combination c = asResult(l.type, h);
    const auto w = winners.find(c);
    if (w == winners.end()) {
      out.push_back(head + "ﾌｧｲﾙは " + comboText(h) + " の的中ですが、記録の結果にその組み合わせはありません。");
      continue;
    }
    if (l.payout && l.hits.size() == 1 && *l.payout != w->second)
      out.push_back(head + "払戻単価がﾌｧｲﾙは " + std::to_string(*l.payout) + "円、記録は " + std::to_string(w->second) +
                    "円です。");
  }
}

// Puts a line of the course files' types into its race; the refusal's text, or "".
std::string buyRecordLine(const IpatLine& l, ImportCopy& copy) {
  const BetType t = *ipatRecordType(l.type);
  const int r = l.race - 1;
  RaceRecord& race = copy.day.races[static_cast<std::size_t>(r)];
  PurchaseBook book(race, otherRacesMoney(copy.day.meeting, r));
  const auto points = ipatPoints(l);
  if (book.count(t) + static_cast<int>(points.size()) > book.capacity(t)) {
    std::string s = betTypeName(t);
    s += msg::kIpatSlotsFull;
    s += sjprintfUtf8("(あと %d点)", book.capacity(t) - book.count(t));
    return s;
  }
  const RaceRecord before = race;
  const std::string amount = std::to_string(l.stake);
  for (const Combination& p : points) {
    const AddOutcome out = isPairType(t) ? book.addPairs(t, PairPick{InputMethod::Tsujo, p[0], p[1], {}}, amount)
                                         : book.addSingle(t, p[0], amount);
    if (out.refused || out.added != 1) {
      race = before;
      return out.messages.empty() ? std::string(msg::kIpatNumbers) : out.messages.back().text;
    }
  }
  settleRace(copy.day.meeting, copy.day.races, r);
  return {};
}

// The WIN5 lines of the file: each goes to the WIN5 of its date, which must have its legs
// (the lines are checked against the legs' runners and the points the file gives); a line
// whose receipt the date holds is taken already.
Status planWin5(const Ledger& ledger, BetStore& store, const IpatFile& file, Plan& p) {
  p.preview.win5.resize(file.win5.size());
  struct DateWork {
    std::optional<StoredWin5Day> day;
    std::set<std::string> taken;
    std::array<Horses, kWin5Legs> runners;
  };
  std::map<Win5Date, DateWork> dates;
  Win5Store w5(store);
  for (std::size_t i = 0; i < file.win5.size(); ++i) {
    const IpatWin5& w = file.win5[i];
    const Win5Date date{w.year, w.month, w.day};
    IpatLineReport& rep = p.preview.win5[i];
    auto found = dates.find(date);
    if (found == dates.end()) {
      DateWork work;
      const auto day = w5.day(date);
      if (!day) return day.failed() ? Status(day.failure()) : Status(day.refusal());
      const auto held = w5.receipts(date);
      if (!held) return held.failed() ? Status(held.failure()) : Status(held.refusal());
      work.day = *day;
      work.taken.insert(held->begin(), held->end());
      if (work.day) work.runners = win5Runners(ledger, date, work.day->legs);
      else p.preview.notices.push_back(sjprintfUtf8("%d年%d月%d日 WIN5：", w.year, w.month, w.day) +
                                       msg::kWin5NoLegsYet);
      found = dates.emplace(date, std::move(work)).first;
    }
    DateWork& work = found->second;
    if (work.taken.count(w.receipt)) {
      rep = {IpatLineState::Duplicate, msg::kIpatDuplicate};
      continue;
    }
    if (!work.day) {
      rep = {IpatLineState::Refused, msg::kWin5NoLegsYet};
      continue;
    }
    Win5Line line;
    for (std::size_t k = 0; k < kWin5Legs; ++k) {
      line.legs[k] = Horses(w.legs[k].begin(), w.legs[k].end());
      std::sort(line.legs[k].begin(), line.legs[k].end());
    }
    line.stake = w.stake;
    const Result<std::int64_t> points = checkWin5LineForDay(line, work.runners);
    if (!points) {
      rep = {IpatLineState::Refused, points.refusal().text};
      continue;
    }
    if (*points != w.points) {
      rep = {IpatLineState::Refused, msg::kIpatAmountTotal};
      continue;
    }
    rep = {IpatLineState::Taken, {}};
    work.taken.insert(w.receipt);
    p.win5[date].lines.push_back({storedWin5LineOf(line, *points), w.receipt});
    ++p.preview.taken;
    p.preview.takenCost += w.cost;
  }
  return Done{};
}

Result<Plan> plan(const Ledger& ledger, BetStore& store, const IpatFile& file, bool registerDays) {
  Plan p;
  p.preview.lines.resize(file.lines.size());
  std::map<DateKey, DayWork> byDay;
  for (std::size_t i = 0; i < file.lines.size(); ++i) {
    const IpatLine& l = file.lines[i];
    const DateKey key{l.year, l.course, l.month, l.day};
    DayWork& w = byDay[key];
    w.day.date = key;
    w.lines.push_back(i);
  }
  if (file.trailerTotal && *file.trailerTotal != file.totalCost) {
    std::string s = std::to_string(file.trailerLine);
    s += "行目：";
    s += msg::kIpatTrailerTotal;
    s += " (合計 ";
    s += std::to_string(*file.trailerTotal);
    s += "円、各行 ";
    s += std::to_string(file.totalCost);
    s += "円)";
    p.preview.notices.push_back(std::move(s));
  }
  if (auto s = planWin5(ledger, store, file, p); !s)
    return s.failed() ? Result<Plan>(s.failure()) : Result<Plan>(s.refusal());
  const auto years = ledger.readYears(false);
  if (!years) return years.failed() ? Result<Plan>(years.failure()) : Result<Plan>(years.refusal());

  std::map<std::array<int, 3>, std::set<std::string>> receipts;
  for (auto& [key, w] : byDay) {
    auto& taken = receipts[{key.year, key.month, key.day}];
    if (taken.empty()) {
      const auto held = store.receipts(key.year, key.month, key.day);
      if (!held) return held.failed() ? Result<Plan>(held.failure()) : Result<Plan>(held.refusal());
      taken.insert(held->begin(), held->end());
      taken.insert("");  // marks the date as looked up
    }
    const std::string yearText = std::to_string(key.year);
    // (clang 14 does not capture a structured binding)
    auto refuseAll = [&p, &lines = w.lines](const char* why) {
      for (std::size_t i : lines) p.preview.lines[i] = {IpatLineState::Refused, why};
    };
    if (!yearRegistered(*years, key.year)) {
      p.preview.notices.push_back(dayText(key) + "：" + msg::kIpatYearMissing);
      refuseAll(msg::kIpatYearMissing);
      p.days.push_back(std::move(w));
      continue;
    }
    const auto found = ledger.findDay(yearText, key.course, key.month, key.day);
    if (!found) return found.failed() ? Result<Plan>(found.failure()) : Result<Plan>(found.refusal());
    if (*found) {
      auto copy = beginImport(ledger, DayKey{yearText, key.course, **found});
      if (!copy) return copy.failed() ? Result<Plan>(copy.failure()) : Result<Plan>(copy.refusal());
      w.copy = std::move(*copy);
      w.day.registered = true;
    } else if (registerDays) {
      const auto meetings = ledger.meetings(yearText, key.course);
      if (!meetings) return meetings.failed() ? Result<Plan>(meetings.failure()) : Result<Plan>(meetings.refusal());
      const MeetingDate chosen = chooseMeetingDate(*meetings, key.year, key.month, key.day);
      w.day.registration = chosen;
      ImportCopy blank;
      blank.key = DayKey{yearText, key.course, -1};
      blank.day.meeting.tsukiHi = chosen.tsukiHi();
      blank.day.meeting.kaiNichi = chosen.kaiNichi();
      w.copy = std::move(blank);
      p.preview.notices.push_back(dayText(key) + " を " + std::to_string(chosen.kai) + "回 " +
                                  std::to_string(chosen.nichi) + "日目 として開催登録します。");
    } else {
      p.preview.notices.push_back(dayText(key) + "：" + msg::kIpatNotRegistered);
      refuseAll(msg::kIpatNotRegistered);
      p.days.push_back(std::move(w));
      continue;
    }
    const auto stored = store.day(key);
    if (!stored) return stored.failed() ? Result<Plan>(stored.failure()) : Result<Plan>(stored.refusal());

    w.bets.date = key;
    std::map<int, ImportedRace> races;
    ImportCopy& copy = *w.copy;
    for (std::size_t i : w.lines) {
      const IpatLine& l = file.lines[i];
      IpatLineReport& rep = p.preview.lines[i];
      if (taken.count(l.receipt)) {
        rep = {IpatLineState::Duplicate, msg::kIpatDuplicate};
        continue;
      }
      const RaceRecord& race = copy.day.races[static_cast<std::size_t>(l.race - 1)];
      if (ipatRecordType(l.type)) {
        if (std::string bad = buyRecordLine(l, copy); !bad.empty()) {
          rep = {IpatLineState::Refused, std::move(bad)};
          continue;
        }
      } else {
        const auto points = checkLineForRace(ipatPurchaseLine(l), race);
        if (!points) {
          rep = {IpatLineState::Refused, points.refusal().text};
          continue;
        }
        ImportedRace& ir = races[l.race];
        ir.race = l.race;
        ir.lines.push_back(storedLineOf(ipatPurchaseLine(l), *points));
      }
      rep = {IpatLineState::Taken, {}};
      taken.insert(l.receipt);
      w.bets.receipts.push_back(l.receipt);
      ++p.preview.taken;
      p.preview.takenCost += l.cost;
      compareOutcome(l, race, (*stored)[static_cast<std::size_t>(l.race - 1)], p.preview.differences);
    }
    for (auto& [r, ir] : races) w.bets.races.push_back(std::move(ir));
    settleAllRaces(copy.day.meeting, copy.day.races);
    p.days.push_back(std::move(w));
  }
  for (const DayWork& w : p.days) p.preview.days.push_back(w.day);
  return p;
}

int daysBetween(int y1, int m1, int d1, int y2, int m2, int d2) {
  using namespace std::chrono;
  const sys_days a{year{y1} / month{static_cast<unsigned>(m1)} / day{static_cast<unsigned>(d1)}};
  const sys_days b{year{y2} / month{static_cast<unsigned>(m2)} / day{static_cast<unsigned>(d2)}};
  return static_cast<int>((b - a).count());
}

}  // namespace

Result<IpatFile> loadIpatFile(FileSystem& fs, const std::filesystem::path& file) {
  FileHead head;
  const std::string name = file.string();
  if (!readFileHead(fs, file, kIpatFileLimit + 1, head)) {
    std::string s = name;
    s += " が開けません。";
    return Refusal{MsgIcon::Error, s};
  }
  const std::string bytes(head.bytes.begin(), head.bytes.end());
  if (head.size > kIpatFileLimit) return readIpatCsv(std::string(kIpatFileLimit + 1, ' '), name);
  return readIpatCsv(bytes, name);
}

MeetingDate chooseMeetingDate(const std::vector<KaisaiRecord>& meetings, int year, int month, int day) {
  MeetingDate out{month, day, 1, 1};
  const KaisaiRecord* before = nullptr;
  const KaisaiRecord* after = nullptr;
  int lastKai = 0;
  for (const KaisaiRecord& k : meetings) {
    if (k.tsukiHi == 0 || k.month() < 1 || k.month() > 12 || k.day() < 1 || k.day() > 31) continue;
    const int gap = daysBetween(year, k.month(), k.day(), year, month, day);
    if (gap > 0) {
      lastKai = std::max(lastKai, k.kai());
      if (gap <= 13 && (!before || k.tsukiHi > before->tsukiHi)) before = &k;
    } else if (gap < 0 && gap >= -13 && (!after || k.tsukiHi < after->tsukiHi)) {
      after = &k;
    }
  }
  if (before && before->nichi() < 8) {
    out.kai = std::max(1, before->kai());
    out.nichi = before->nichi() + 1;
  } else if (!before && after && after->nichi() > 1) {
    out.kai = std::max(1, after->kai());
    out.nichi = after->nichi() - 1;
  } else {
    out.kai = std::min(12, lastKai + 1);
    out.nichi = 1;
  }
  return out;
}

std::string ipatWin5NumbersText(const IpatWin5& w) {
  std::string s;
  for (std::size_t k = 0; k < w.legs.size(); ++k) {
    if (k > 0) s += '/';
    for (std::size_t i = 0; i < w.legs[k].size(); ++i) {
      if (i > 0) s += ',';
      s += std::to_string(w.legs[k][i]);
    }
  }
  return s;
}

std::string ipatWin5Text(const IpatWin5& w) {
  std::string s = sjprintfUtf8("%4d行目 ", w.line);
  s += "WIN5 ";
  s += ipatWin5NumbersText(w);
  s += sjprintfUtf8("  %lld点  %lld円", static_cast<long long>(w.points), static_cast<long long>(w.cost));
  return s;
}

std::string ipatLineText(const IpatLine& l) {
  std::string s = sjprintfUtf8("%4d行目 ", l.line);
  s += ipatRaceText(l);
  s += ' ';
  s += ipatTypeName(l.type);
  s += ' ';
  s += ipatMethodText(l);
  s += ' ';
  s += l.numbersText;
  s += sjprintfUtf8("  %d点  %lld円", l.points, static_cast<long long>(l.cost));
  return s;
}

Result<IpatPreview> previewIpatImport(const Ledger& ledger, BetStore& store, const IpatFile& file,
                                      bool registerDays) {
  auto p = plan(ledger, store, file, registerDays);
  if (!p) return p.failed() ? Result<IpatPreview>(p.failure()) : Result<IpatPreview>(p.refusal());
  return std::move(p->preview);
}

Result<IpatPreview> runIpatImport(const Ledger& ledger, BetStore& store, UserPort& wait, const LedgerEvents& events,
                                  const IpatFile& file, bool registerDays) {
  std::vector<std::string> registered;
  if (registerDays) {
    auto first = plan(ledger, store, file, true);
    if (!first) return first.failed() ? Result<IpatPreview>(first.failure()) : Result<IpatPreview>(first.refusal());
    for (const DayWork& w : first->days) {
      if (!w.day.registration) continue;
      // A day none of whose lines would be taken is not registered.
      bool any = false;
      for (std::size_t i = 0; i < w.lines.size(); ++i)
        any = any || first->preview.lines[w.lines[i]].state == IpatLineState::Taken;
      if (!any) continue;
      const auto r = runRegisterMeetings(ledger, wait, events, std::to_string(w.day.date.year), w.day.date.course,
                                         {*w.day.registration});
      if (!r) return r.failed() ? Result<IpatPreview>(r.failure()) : Result<IpatPreview>(r.refusal());
      registered.push_back(dayText(w.day.date) + " を " + std::to_string(w.day.registration->kai) + "回 " +
                           std::to_string(w.day.registration->nichi) + "日目 として開催登録しました。");
    }
  }
  auto p = plan(ledger, store, file, false);
  if (!p) return p.failed() ? Result<IpatPreview>(p.failure()) : Result<IpatPreview>(p.refusal());
  for (const DayWork& w : p->days) {
    if (!w.copy || w.bets.receipts.empty()) continue;
    const auto done = storeImportWithBets(ledger, events, store, *w.copy, w.bets);
    if (!done) return done.failed() ? Result<IpatPreview>(done.failure()) : Result<IpatPreview>(done.refusal());
  }
  // The WIN5 lines of a date with their receipts, in one transaction.
  for (const auto& [date, im] : p->win5) {
    const auto done = storeWin5Import(store, date, im);
    if (!done) return done.failed() ? Result<IpatPreview>(done.failure()) : Result<IpatPreview>(done.refusal());
  }
  p->preview.notices.insert(p->preview.notices.begin(), registered.begin(), registered.end());
  return std::move(p->preview);
}

}  // namespace tovra
