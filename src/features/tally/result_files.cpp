#include "features/tally/result_files.hpp"

#include <cctype>
#include <cmath>
#include <cstring>

#include "features/tally/jyoken_tally.hpp"
#include "features/tally/koumoku_tally.hpp"
#include "storage/datastore.hpp"
#include "storage/fileio.hpp"
#include "storage/records.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"

namespace tovra::tally {

namespace {

const TallyKindInfo kInfos[] = {
    {TallyKind::Shushi, "shushi", "収支集計", kShushiWorkFile, ShushiResult::kFileSize, shushi_off::timeStamp,
     "tovradatafile/shukei/shushi.dat", "tovradatafile/shukei/shushi.tim", "表示されている収支集計結果を保存します。",
     kShushiTypeWorkFile, "tovradatafile/shukei/shushisk.dat"},
    {TallyKind::Koumoku, "koumoku", "項目集計", kKoumokuWorkFile, KoumokuResult::kReadSize, koumoku_off::timeStamp,
     "tovradatafile/shukei/koumoku.dat", "tovradatafile/shukei/koumoku.tim",
     "表示されている項目集計結果を保存します。", kKoumokuTypeWorkFile, "tovradatafile/shukei/koumokusk.dat"},
    {TallyKind::Rank, "rank", "RANK集計", kRankWorkFile, RankResult::kFileSize, rank_file_off::timeStamp,
     "tovradatafile/shukei/rank.dat", "tovradatafile/shukei/rank.tim", "表示されているRANK集計結果を保存します。",
     nullptr, nullptr},
    {TallyKind::Jyoken, "jyoken", "条件集計", kJyokenWorkFile, JyokenResult::kSize, jyoken_off::timeStamp,
     "tovradatafile/shukei/jyoken.dat", "tovradatafile/shukei/jyoken.tim", "表示されている条件集計結果を保存します。",
     nullptr, nullptr},
};

// Rates print as "%9.1f": a value that is not a number, or one far beyond any recovery
// rate, can only come from a damaged file.
bool sane(float rate) { return std::isfinite(rate) && std::fabs(rate) < 1e9f; }
template <std::size_t N>
bool sane(const float (&rates)[N]) {
  for (float r : rates)
    if (!sane(r)) return false;
  return true;
}

// A year text as the tallies write it: up to four digits (empty when no year was scanned).
template <std::size_t N>
bool yearTextOk(const char (&text)[N]) {
  const std::string t = fixedText(text);
  if (t.size() > 4) return false;
  for (char c : t)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

bool plausible(const ShushiResult& r) {
  if (!shushiModeValid(r.mode) || !sane(r.kaishu) || !sane(r.tekichu)) return false;
  if (r.mode == kShushiYearByMonth || r.mode == kShushiYearByKai)
    return r.selection >= 0 && r.selection < NenjiTable::kUsable;
  if (r.mode == kShushiDay) {
    const int month = r.selection / 100, day = r.selection % 100;
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
  }
  return true;
}

bool plausible(const KoumokuResult& r) { return (r.mode == 0 || r.mode == 1) && yearTextOk(r.yearText); }

bool plausible(const RankResult& r) {
  if (!rankCodeValid(r.code) || !yearTextOk(r.nen)) return false;
  for (int i = 0; i < RankResult::kRanked; ++i) {
    const RankEntry& e = r.rows[i];
    if (e.tsuki == 0) continue;
    if (e.tsuki < 1 || e.tsuki > 12 || e.hi < 1 || e.hi > 31 || e.jyo < 0 || e.jyo >= kCourseCount || !sane(e.ritsu) ||
        !yearTextOk(e.nen))
      return false;
    if (rankPerRace(r.code) && (e.race < 0 || e.race >= kRacesPerDay)) return false;
    if (rankKindOf(r.code) == kRankHaitou && (e.shiki < 1 || e.shiki > 5)) return false;
  }
  return true;
}

bool plausible(const JyokenResult& r) {
  if ((r.rangeFlag != 0 && r.rangeFlag != 1) || !yearTextOk(r.yearText) || !sane(r.recovery) || !sane(r.hitRate))
    return false;
  if (r.betType < 0 || r.betType > jyokenValueCount(JyokenKind::Bet)) return false;
  bool ended = false;
  for (const JyokenCondition& c : r.conditions) {
    if (c.kind == 0) {
      ended = true;
      continue;
    }
    // The list is closed up; the bet type is kept apart from it.
    if (ended || c.kind < 0 || c.kind >= static_cast<int>(JyokenKind::Bet)) return false;
    const int count = jyokenValueCount(static_cast<JyokenKind>(c.kind));
    if (c.kind == static_cast<int>(JyokenKind::Distance) ? (c.value < 0 || c.value > 9999)
                                                         : (c.value < 1 || c.value > count))
      return false;
  }
  return true;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> readWorkRecord(DataStore& ds, TallyKind kind, WorkFileState& state) {
  const TallyKindInfo& info = tallyKindInfo(kind);
  std::vector<std::uint8_t> data;
  if (!readWholeFile(ds.fs(), ds.resolve(info.workFile), data)) {
    state = WorkFileState::Missing;
    return std::nullopt;
  }
  if (data.size() < info.recordSize) {
    state = WorkFileState::Short;
    return std::nullopt;
  }
  data.resize(info.recordSize);
  state = plausibleRecord(info.kind, data.data(), data.size()) ? WorkFileState::Ok : WorkFileState::Damaged;
  if (state != WorkFileState::Ok) return std::nullopt;
  return data;
}

namespace {

template <class Result, class Decode>
std::optional<Result> load(DataStore& ds, UserPort& port, TallyKind kind, Decode decode) {
  WorkFileState state;
  auto data = readWorkRecord(ds, kind, state);
  if (!data) {
    showError(port, workFileMessage(kind, state));
    return std::nullopt;
  }
  return decode(*data);
}

}  // namespace

const TallyKindInfo& tallyKindInfo(TallyKind kind) {
  for (const TallyKindInfo& i : kInfos)
    if (i.kind == kind) return i;
  return kInfos[0];
}

std::optional<TallyKind> tallyKindByName(std::string_view name) {
  for (const TallyKindInfo& i : kInfos)
    if (name == i.name) return i.kind;
  return std::nullopt;
}

bool plausibleRecord(TallyKind kind, const std::uint8_t* data, std::size_t size) {
  if (size < tallyKindInfo(kind).recordSize) return false;
  switch (kind) {
    case TallyKind::Shushi: return plausible(ShushiResult::decode(data));
    case TallyKind::Koumoku: {
      KoumokuResult r;
      return r.decode(data, size) && plausible(r);
    }
    case TallyKind::Rank: return plausible(RankResult::decode(data));
    case TallyKind::Jyoken: {
      JyokenResult r;
      return r.decode(data, size) && plausible(r);
    }
  }
  return false;
}

WorkFileState workFileState(DataStore& ds, TallyKind kind) {
  WorkFileState state;
  readWorkRecord(ds, kind, state);
  return state;
}

std::string workFileMessage(TallyKind kind, WorkFileState state) {
  const TallyKindInfo& info = tallyKindInfo(kind);
  const std::string file = std::string(info.workFile);
  switch (state) {
    case WorkFileState::Ok: return {};
    case WorkFileState::Missing:
      return std::string(info.title) + "結果の作業ﾌｧｲﾙ " + file + " がありません。\n\n集計をやり直して下さい。";
    case WorkFileState::Short:
      return std::string(info.title) + "結果の作業ﾌｧｲﾙ " + file + " が途中で切れています。\n\n集計をやり直して下さい。";
    case WorkFileState::Damaged:
      return std::string(info.title) + "結果の作業ﾌｧｲﾙ " + file +
             " の内容に異常があります。\n\n集計をやり直して下さい。";
  }
  return {};
}

std::optional<ShushiResult> loadShushiFile(DataStore& ds, UserPort& port) {
  return load<ShushiResult>(ds, port, TallyKind::Shushi, [](const auto& d) { return ShushiResult::decode(d.data()); });
}

std::optional<KoumokuResult> loadKoumokuFile(DataStore& ds, UserPort& port) {
  return load<KoumokuResult>(ds, port, TallyKind::Koumoku, [](const auto& d) {
    KoumokuResult r;
    r.decode(d.data(), d.size());
    return r;
  });
}

std::optional<RankResult> loadRankFile(DataStore& ds, UserPort& port) {
  return load<RankResult>(ds, port, TallyKind::Rank, [](const auto& d) { return RankResult::decode(d.data()); });
}

std::optional<JyokenResult> loadJyokenFile(DataStore& ds, UserPort& port) {
  return load<JyokenResult>(ds, port, TallyKind::Jyoken, [](const auto& d) {
    JyokenResult r;
    r.decode(d.data(), d.size());
    return r;
  });
}

}  // namespace tovra::tally
