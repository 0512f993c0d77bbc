#include "features/search/search_engine.hpp"

#include <cstring>
#include <map>

#include "features/search/search_files.hpp"
#include "storage/bet_store.hpp"
#include "storage/datastore.hpp"
#include "storage/fileio.hpp"
#include "storage/paths.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"

namespace tovra::search {
namespace {

bool isNameSearch(SearchType t) { return t == SearchType::Bamei || t == SearchType::RaceMei; }

// Streams the hits of the scan into the result file.
class KekaSink {
 public:
  KekaSink(DataStore& ds, bool notes) : writer_(ds.fs(), ds.resolve(kKekaFile)) {
    writer_.open();
    if (notes) {
      notes_.emplace(ds.fs(), ds.resolve(kHaitouFile));
      notes_->open();
    }
  }

  // A record of a payout search, with the payout it stands for.
  void addPayout(const tally::ScanDay& d, int race, int slot, std::int32_t payout) {
    add(d, race, d.kaisai.raceMei[race], sizeof d.kaisai.raceMei[0]);
    HaitouNote note{slot, payout};
    std::uint8_t buf[HaitouNote::kSize];
    note.encode(buf);
    if (notes_) notes_->write(buf, sizeof buf);
  }

  void add(const tally::ScanDay& d, int race, const char* name, std::size_t nameSize) {
    KekaRecord k;
    k.course = d.course;
    k.meeting = static_cast<std::int32_t>(d.index);
    k.race = race;
    // The name up to its NUL, at most 60 bytes, never ending inside a double-byte character.
    setFixedText(k.name, cutCp932(std::string_view(name, strnlen(name, nameSize)), sizeof k.name - 1));
    setFixedText(k.yearText, cutCp932(d.yearText, sizeof k.yearText - 1));
    k.month = d.kaisai.month();
    k.day = d.kaisai.day();
    k.kai = d.kaisai.kai();
    k.nichi = d.kaisai.nichi();
    std::uint8_t buf[KekaRecord::kSize];
    k.encode(buf);
    writer_.write(buf, sizeof buf);
    ++count_;
  }
  int count() const { return count_; }
  // The list first; the payout notes after it (a list without its notes still shows).
  bool commit() { return writer_.commit() && (!notes_ || notes_->commit()); }

 private:
  StagedFile writer_;  // the result list, put in place whole when complete
  std::optional<StagedFile> notes_;
  int count_ = 0;
};

// The new types' payouts of every race of the range that has any, by race.
using NewPayoutMap = std::map<RaceKey, std::vector<NewPayout>>;

NewPayoutMap readNewPayouts(BetStore& bets, UserPort& port, const std::vector<int>& years, bool hitOnly) {
  NewPayoutMap out;
  Status read = bets.open(false);
  if (read)
    read = bets.scan(years, [&](const RaceKey& k, const StoredRace& race) {
      if (auto payouts = newPayouts(race, hitOnly); !payouts.empty()) out.emplace(k, std::move(payouts));
    });
  if (read.refused()) {
    showRefusal(port, read.refusal());
    out.clear();
  }
  return out;
}

// The new types' payouts of race r of the day, taken out of `fresh` (a second meeting day
// of the same date lists none).
void testNewPayouts(const SearchParams& p, const tally::ScanDay& d, int r, NewPayoutMap& fresh, KekaSink& sink) {
  if (fresh.empty()) return;
  const auto it = fresh.find(RaceKey{DateKey{d.year, d.course, d.kaisai.month(), d.kaisai.day()}, r + 1});
  if (it == fresh.end()) return;
  for (const NewPayout& n : it->second)
    if (payoutSelected(p.payout, n.payout) && (!p.hitOnly || n.hit))
      sink.addPayout(d, r, newPayoutSlot(n.type), n.payout);
  fresh.erase(it);
}

void testRace(const SearchParams& p, const FoldedText& text, const tally::ScanDay& d, int r, KekaSink& sink) {
  const RaceRecord& race = (*d.races)[static_cast<std::size_t>(r)];
  const char* raceMei = d.kaisai.raceMei[r];
  constexpr std::size_t kRaceMeiSize = sizeof d.kaisai.raceMei[0];
  switch (p.type) {
    case SearchType::RaceMei:
      if (nameContains(raceMei, kRaceMeiSize, text, kRaceMeiLastStart)) sink.add(d, r, raceMei, kRaceMeiSize);
      break;
    case SearchType::Bamei:
      for (const auto& bamei : race.chakuBamei)
        if (nameContains(bamei, sizeof bamei, text, kBameiLastStart)) sink.add(d, r, bamei, sizeof bamei);
      break;
    case SearchType::Jyusho:
      if (raceHasGrade(race.koumoku, p.grade)) sink.add(d, r, raceMei, kRaceMeiSize);
      break;
    case SearchType::Haitou: {
      const auto slots = payoutSlots(race);
      for (int i = 0; i < kPayoutSlots; ++i) {
        const PayoutSlot& s = slots[static_cast<std::size_t>(i)];
        if (payoutSelected(p.payout, s.payout) && (!p.hitOnly || s.hit)) sink.addPayout(d, r, i, s.payout);
      }
      break;
    }
  }
}

bool ensureTmp(DataStore& ds) {
  const auto tmp = ds.resolve(kTmpFolder);
  return ds.fs().isDirectory(tmp) || ds.fs().createDirectory(tmp);
}

}  // namespace

std::string searchTitle(SearchType type) {
  switch (type) {
    case SearchType::Bamei: return sj("馬名検索終了");
    case SearchType::RaceMei: return sj("ﾚｰｽ名検索終了");
    case SearchType::Jyusho: return sj("重賞検索終了");
    case SearchType::Haitou: return sj("ﾚｰｽ結果配当検索終了");
  }
  return {};
}

std::string searchSummary(const SearchParams& p, int count) {
  const std::string range = p.range.allYears ? sj("全データ") : sjprintf("%d年", p.range.year);
  const std::string hitOnly = p.hitOnly ? sj("的中ﾚｰｽのみ") : std::string(" ");
  const char* r = range.c_str();
  const char* h = hitOnly.c_str();
  switch (p.type) {
    case SearchType::Bamei:
      return sjprintf("検索範囲： %s      %s\n\n検索馬名 (文字列 )： %s\n\n %d個のﾃﾞｰﾀが見つかりました。", r, h,
                      p.text.c_str(), count);
    case SearchType::RaceMei:
      return sjprintf("検索範囲： %s      %s\n\n検索ﾚｰｽ名 (文字列 )： %s\n\n %d個のﾃﾞｰﾀが見つかりました。", r, h,
                      p.text.c_str(), count);
    case SearchType::Jyusho: {
      static constexpr const char* kGrades[3] = {"ＧⅠ", "ＧⅡ", "ＧⅢ"};
      const std::string grade = sj(kGrades[p.grade >= 0 && p.grade < 3 ? p.grade : 0]);
      return sjprintf("検索範囲： %s      %s\n\n検索重賞： %s\n\n %d個のﾃﾞｰﾀが見つかりました。", r, h, grade.c_str(),
                      count);
    }
    case SearchType::Haitou: {
      const std::string amount = p.payout.manbaken ? sj("万馬券")
                                                   : sjprintf("%ld円 ～ %ld円", static_cast<long>(p.payout.lower),
                                                              static_cast<long>(p.payout.upper));
      return sjprintf("検索範囲： %s      %s\n\n検索配当金額： %s\n\n %d個のﾃﾞｰﾀが見つかりました。", r, h,
                      amount.c_str(), count);
    }
  }
  return {};
}

std::optional<int> runSearch(DataStore& ds, UserPort& port, const SearchParams& p, BetStore* bets) {
  if (!ensureTmp(ds)) {
    reportWriteFailure(port, kTmpFolder);
    return std::nullopt;
  }
  // A typed text goes first into the history; a picked one leaves it as it is.
  if (isNameSearch(p.type) && !p.picked) {
    const bool raceName = p.type == SearchType::RaceMei;
    History h = readHistory(ds, raceName);
    h.push(p.text);
    if (!writeHistory(ds, port, raceName, h)) return std::nullopt;
  }

  const bool payout = p.type == SearchType::Haitou;
  std::optional<KekaSink> sink(std::in_place, ds, payout);
  const FoldedText folded = foldWidth(p.text);
  const std::vector<int> years = tally::rangeYears(ds.nenji, p.range);
  NewPayoutMap fresh;
  if (payout && bets && !years.empty()) fresh = readNewPayouts(*bets, port, years, p.hitOnly);
  port.setWaitPicture(WaitPicture::Search);
  tally::scanLedger(ds, port, years, {"検索中 !!!\n\nしばらくお待ち下さい。", true}, [&](const tally::ScanDay& d) {
    for (int r = 0; r < kRacesPerDay; ++r) {
      if (raceTakesPart(d.kaisai.raceJoutai[r], p.hitOnly)) testRace(p, folded, d, r, *sink);
      if (payout) testNewPayouts(p, d, r, fresh, *sink);
    }
  });
  const int count = sink->count();
  if (!sink->commit()) {
    reportWriteFailure(port, kKekaFile);
    return std::nullopt;
  }
  sink.reset();
  // The notes of an earlier payout search do not belong to this list.
  if (!payout && ds.fs().exists(ds.resolve(kHaitouFile))) ds.fs().remove(ds.resolve(kHaitouFile));

  KekaText text{searchTitle(p.type), searchSummary(p, count)};
  std::uint8_t buf[KekaText::kSize];
  text.encode(buf);
  if (!writeWholeFile(ds.fs(), ds.resolve(kTextFile), buf, sizeof buf)) {
    reportWriteFailure(port, kTextFile);
    return std::nullopt;
  }
  return count;
}

}  // namespace tovra::search
