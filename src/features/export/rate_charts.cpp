#include "features/export/rate_charts.hpp"

#include "features/export/csv.hpp"
#include "features/tally/jyoken_view.hpp"
#include "features/tally/koumoku_tally.hpp"
#include "features/tally/koumoku_view.hpp"
#include "storage/datastore.hpp"
#include "storage/text.hpp"

namespace tovra::exports {

using tally::ShushiResult;
using tally::TallyFigures;

const char* chartKindName(ChartKind kind) {
  static const char* const kNames[kChartKinds] = {"累計収支", "競馬場別", "馬券式別", "月別"};
  return kNames[static_cast<int>(kind)];
}

const char* chartKindKey(ChartKind kind) {
  static const char* const kKeys[kChartKinds] = {"balance", "course", "bettype", "month"};
  return kKeys[static_cast<int>(kind)];
}

std::string rangeText(const tally::TallyRange& range) {
  return range.allYears ? std::string("全データ") : std::to_string(range.year) + "年";
}

RateChart courseRates(const ShushiResult& r, const std::string& range, int row) {
  RateChart c{"収支集計  " + range + "  " + tally::shushiRowLabel(r, row) + "  競馬場別", {}, {}};
  for (int col = 0; col < ShushiResult::kCols; ++col) {
    TallyFigures f = tally::shushiFigures(r, row, col);
    if (col == ShushiResult::kSumCol) f.label = "全場";
    c.bars.push_back(f);
  }
  return c;
}

RateChart monthRates(const ShushiResult& r, const std::string& range) {
  const bool kai = r.mode == tally::kShushiAllByKai || r.mode == tally::kShushiYearByKai;
  RateChart c{"収支集計  " + range + (kai ? "  回次別" : "  月別"), {}, {}};
  const int first = r.mode == tally::kShushiDay ? ShushiResult::kSumRow : 0;
  const int last = r.mode == tally::kShushiDay ? ShushiResult::kSumRow : ShushiResult::kSumRow - 1;
  for (int row = first; row <= last; ++row) {
    TallyFigures f = tally::shushiFigures(r, row, ShushiResult::kSumCol);
    f.label = tally::shushiRowLabel(r, row);
    c.bars.push_back(f);
  }
  return c;
}

RateChart betTypeRates(const tally::KoumokuResult& r, int n) {
  if (n < 0 || n > tally::kAllCoursesRow) n = tally::kAllCoursesRow;
  const std::string range = r.mode == 0 ? "全データ" : cp932ToUtf8(fixedText(r.yearText)) + "年";
  const std::string where = n == tally::kAllCoursesRow ? "全競馬場" : tally::courseName(n) + "競馬場";
  RateChart c{"項目集計  " + range + "  " + where + "  馬券式別", {}, {}};
  // The rows of the window's section 馬券式別, as it shows them.
  for (const auto& page : tally::koumokuView(r, n).pages)
    for (const auto& section : page.sections)
      if (section.caption == std::string("馬券式別")) c.bars = section.figures;
  return c;
}

RateChart allTypeRates(const TypeRates& rates, const ChartTypes& types, const std::string& range, int course) {
  const std::string where =
      course >= 0 && course < tally::kAllCoursesRow ? tally::courseName(course) + "競馬場" : "全競馬場";
  RateChart c{"全式別  " + range + "  " + where + "  馬券式別", {}, {}};
  for (int i = 0; i < kChartTypeCount; ++i) {
    if (!types.on[static_cast<std::size_t>(i)]) continue;
    const TypeRate& t = rates.byType[static_cast<std::size_t>(i)];
    TallyFigures f;
    f.label = chartTypeName(i);
    f.purchase = t.figures.purchase();
    f.balance = t.figures.balance();
    f.recovery = t.figures.rate();
    if (t.races > 0) f.hitRate = static_cast<double>(t.hitRaces) / static_cast<double>(t.races) * 100.0;
    f.bought = t.races;
    f.hits = t.hitRaces;
    c.bars.push_back(f);
    c.refunded.push_back(t.figures.refunded);
  }
  return c;
}

RateChart onlyTypes(RateChart c, const ChartTypes& types) {
  std::vector<TallyFigures> kept;
  // The item tally's rows are in the order of kBetTypes.
  for (std::size_t t = 0; t < c.bars.size() && t < static_cast<std::size_t>(kBetTypeCount); ++t)
    if (types.on[static_cast<std::size_t>(chartTypeOf(kBetTypes[t]))]) kept.push_back(c.bars[t]);
  c.bars = std::move(kept);
  return c;
}

RateChart courseRates(const tally::JyokenResult& r) {
  const std::string range = r.rangeFlag == 0 ? "全データ" : cp932ToUtf8(fixedText(r.yearText)) + "年";
  RateChart c{"条件集計  " + range + "  " + closedUp(tally::jyokenConditionsText(r)), {}, {}};
  for (int row = 0; row < tally::kJyokenRows; ++row) c.bars.push_back(tally::jyokenFigures(r, row));
  return c;
}

namespace {

// A year text of a work file as a range: the year when it is registered, else all years.
tally::TallyRange rangeOfYear(const NenjiTable& nenji, bool oneYear, int year) {
  if (oneYear && tally::yearPosition(nenji, year) >= 0) return tally::TallyRange::oneYear(year);
  return tally::TallyRange::all();
}

int yearOfText(const char* text, std::size_t size) {
  int year = 0;
  for (std::size_t i = 0; i < size && text[i] >= '0' && text[i] <= '9'; ++i) year = year * 10 + (text[i] - '0');
  return year;
}

}  // namespace

ChartRequest requestForShushi(const ShushiResult& r, const NenjiTable& nenji, int currentYear, int row) {
  ChartRequest q;
  q.shushiRow = row >= 0 && row <= ShushiResult::kSumRow ? row : ShushiResult::kSumRow;
  const auto range = tally::shushiRange(nenji, currentYear, r.mode, r.selection);
  q.range = range ? rangeOfYear(nenji, !range->allYears, range->year) : tally::TallyRange::all();
  q.first = ChartKind::Course;
  q.shushi = r;
  return q;
}

ChartRequest requestForKoumoku(const tally::KoumokuResult& r, const NenjiTable& nenji, int course) {
  ChartRequest q;
  q.range = rangeOfYear(nenji, r.mode != 0, yearOfText(r.yearText, sizeof r.yearText));
  q.first = ChartKind::BetType;
  q.koumoku = r;
  q.koumokuCourse = course;
  return q;
}

ChartRequest requestForRank(const tally::RankResult& r, const NenjiTable& nenji) {
  ChartRequest q;
  q.range = rangeOfYear(nenji, r.code > 5, yearOfText(r.nen, sizeof r.nen));
  return q;
}

ChartRequest requestForJyoken(const tally::JyokenResult& r, const NenjiTable& nenji) {
  ChartRequest q;
  q.range = rangeOfYear(nenji, r.rangeFlag != 0, yearOfText(r.yearText, sizeof r.yearText));
  q.first = ChartKind::Course;
  q.jyoken = r;
  return q;
}

namespace {

// The range's figures of the eight types, when the store adds to the five types.
void countAllTypes(DataStore& ds, BetStore& store, UserPort& port, ChartRequest& q) {
  if (q.allTypesCounted) return;
  q.allTypesCounted = true;
  std::vector<std::string> years;
  for (int y : tally::rangeYears(ds.nenji, q.range)) years.push_back(std::to_string(y));
  const Result<bool> held = storeHoldsRaces(store, years);
  if (!held) {
    showRefusal(port, held.refusal());
    return;
  }
  if (!*held) return;
  std::vector<int> courses;
  if (q.koumokuCourse >= 0 && q.koumokuCourse < tally::kAllCoursesRow) courses.push_back(q.koumokuCourse);
  port.setBusy(true);
  const Result<TypeRates> rates = typeRates(ds.ledger(), store, years, courses);
  port.setBusy(false);
  if (rates.failed()) ds.fatal(rates.failure());
  if (rates.refused()) {
    showRefusal(port, rates.refusal());
    return;
  }
  if (rates->beyondOldTypes()) q.allTypes = *rates;
}

}  // namespace

RateChart rateChart(DataStore& ds, BetStore& store, UserPort& port, ChartRequest& q, const ShushiResult& rangeByMonth,
                    ChartKind kind) {
  const ShushiResult& shushi = q.shushi ? *q.shushi : rangeByMonth;
  switch (kind) {
    case ChartKind::Course:
      if (q.jyoken) return courseRates(*q.jyoken);
      return courseRates(shushi, rangeText(q.range), q.shushi ? q.shushiRow : ShushiResult::kSumRow);
    case ChartKind::Month: return monthRates(shushi, rangeText(q.range));
    case ChartKind::BetType:
      countAllTypes(ds, store, port, q);
      if (q.allTypes) return allTypeRates(*q.allTypes, q.types, rangeText(q.range), q.koumokuCourse);
      if (!q.koumoku) {
        const int mode = q.range.allYears ? 0 : 1;
        const int position = q.range.allYears ? 0 : tally::yearPosition(ds.nenji, q.range.year);
        q.koumoku = tally::computeKoumoku(ds, port, mode, position);
        q.koumokuCourse = tally::kAllCoursesRow;
      }
      return onlyTypes(betTypeRates(*q.koumoku, q.koumokuCourse), q.types);
    case ChartKind::Balance: break;
  }
  return {};
}

std::optional<ChartRequest> chartRequest(DataStore& ds, UserPort& port, tally::TallyKind kind, int currentYear,
                                         int shown) {
  switch (kind) {
    case tally::TallyKind::Shushi:
      if (auto r = tally::loadShushiFile(ds, port))
        return requestForShushi(*r, ds.nenji, currentYear, shown < 0 ? ShushiResult::kSumRow : shown);
      break;
    case tally::TallyKind::Koumoku:
      if (auto r = tally::loadKoumokuFile(ds, port))
        return requestForKoumoku(*r, ds.nenji, shown < 0 ? tally::kAllCoursesRow : shown);
      break;
    case tally::TallyKind::Rank:
      if (auto r = tally::loadRankFile(ds, port)) return requestForRank(*r, ds.nenji);
      break;
    case tally::TallyKind::Jyoken:
      if (auto r = tally::loadJyokenFile(ds, port)) return requestForJyoken(*r, ds.nenji);
      break;
  }
  return std::nullopt;
}

}  // namespace tovra::exports
