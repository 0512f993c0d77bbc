#include "features/export/tally_csv.hpp"

#include "features/tally/jyoken_view.hpp"
#include "features/tally/koumoku_view.hpp"
#include "features/tally/tally_figures.hpp"
#include "storage/text.hpp"

namespace tovra::exports {

using tally::TallyFigures;

namespace {

// 馬券購入額,回収率,回収金額,収支,的中率 of a row; blank rates where the window is blank.
std::vector<CsvCell> moneyCells(const TallyFigures& f) {
  return {CsvCell::integer(f.purchase), CsvCell::rate(f.recovery), CsvCell::integer(f.ret()),
          CsvCell::integer(f.balance), CsvCell::rate(f.hitRate)};
}

std::vector<CsvCell> joined(std::vector<CsvCell> a, const std::vector<CsvCell>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

namespace {

TallyFigures typeFigures(const std::string& label, const tally::TypeCell& c) {
  return tally::koumokuFigures(label, c.races, c.hits, c.purchase(), c.balance());
}

}  // namespace

CsvTable shushiCsv(const tally::ShushiResult& r, const tally::TypeTallyResult* types) {
  CsvTable t({"区分", "競馬場", "馬券購入額", "回収率", "回収金額", "収支", "的中率"});
  using R = tally::ShushiResult;
  // A one-day tally fills row 0 alone (row 12 repeats it).
  const int first = r.mode == tally::kShushiDay ? R::kSumRow : 0;
  for (int row = first; row < R::kRows; ++row)
    for (int col = 0; col < R::kCols; ++col) {
      const TallyFigures f = tally::shushiFigures(r, row, col);
      t.add(joined({CsvCell::text(tally::shushiRowLabel(r, row)), CsvCell::text(f.label)}, moneyCells(f)));
    }
  if (!types) return t;
  const bool every = (types->filter.types & tally::kAllTallyTypes) == tally::kAllTallyTypes;
  for (int col = 0; col < tally::kTypeCols; ++col) {
    if (col == tally::kTallyWin5Slot) continue;  // its own row below
    if (col != tally::kChosenCol && !types->filter.has(col)) continue;
    const std::string name = col == tally::kChosenCol ? (every ? "全式別" : "選択式別") : tally::tallyTypeName(col);
    for (int n = 0; n <= tally::kAllCoursesRow; ++n) {
      const tally::TypeCell& c = types->cells[std::size_t(n)][std::size_t(col)];
      const TallyFigures f = typeFigures(tally::shushiColumnLabel(n), c);
      t.add(joined({CsvCell::text(name), CsvCell::text(f.label)}, moneyCells(f)));
    }
  }
  for (int n = 0; n <= tally::kAllCoursesRow; ++n) {
    std::vector<CsvCell> cells{CsvCell::text("返還"), CsvCell::text(tally::shushiColumnLabel(n)),
                               CsvCell::integer(types->cells[std::size_t(n)][tally::kChosenCol].refunded)};
    cells.resize(7, CsvCell::empty());
    t.add(cells);
  }
  // WIN5 belongs to no course: one row of all courses, after the others, when it was
  // chosen and bought (its refunds are in 返還 合計).
  const tally::TypeCell& win5 = types->cells[tally::kAllCoursesRow][tally::kTallyWin5Slot];
  if (types->filter.has(tally::kTallyWin5Slot) && win5.bought > 0) {
    const TallyFigures f = typeFigures(tally::shushiColumnLabel(tally::kAllCoursesRow), win5);
    t.add(joined({CsvCell::text(tally::tallyTypeName(tally::kTallyWin5Slot)), CsvCell::text(f.label)}, moneyCells(f)));
  }
  return t;
}

CsvTable koumokuCsv(const tally::KoumokuResult& r, const tally::TypeTallyResult* types) {
  CsvTable t(
      {"競馬場", "項目", "区分", "馬券購入額", "回収率", "回収金額", "収支", "的中率", "購入ﾚｰｽ数", "的中ﾚｰｽ数", "値"});
  auto figureRow = [&t](const std::string& course, const std::string& item, const TallyFigures& f) {
    t.add(joined(joined({CsvCell::text(course), CsvCell::text(item), CsvCell::text(trimmed(f.label))}, moneyCells(f)),
                 {CsvCell::integer(f.bought.value_or(0)), CsvCell::integer(f.hits.value_or(0))}));
  };
  auto valueRow = [&t](const std::string& course, const std::string& label, CsvCell value) {
    std::vector<CsvCell> cells{CsvCell::text(course), CsvCell::text("その他"), CsvCell::text(label)};
    cells.resize(10, CsvCell::empty());
    cells.push_back(std::move(value));
    t.add(cells);
  };
  for (int n = 0; n <= tally::kAllCoursesRow; ++n) {
    const std::string course = n == tally::kAllCoursesRow ? "全競馬場" : tally::courseName(n);
    const tally::KoumokuView v = tally::koumokuView(r, n);
    for (const auto& page : v.pages)
      for (const auto& s : page.sections) {
        // The unit of a section ("*月", "* x100M") follows each slot's label as in the window.
        const std::string unit = s.unit.empty() ? "" : s.unit.substr(1);
        for (TallyFigures f : s.figures) {
          f.label = trimmed(f.label) + unit;
          figureRow(course, s.caption, f);
        }
        if (types && s.prefix == "Ken")
          for (int k = tally::kTallyOldTypeCount; k < tally::kTallyTypeCount; ++k)
            figureRow(course, s.caption,
                      typeFigures(tally::tallyTypeName(k), types->cells[std::size_t(n)][std::size_t(k)]));
      }
    if (v.courseTotalVisible) figureRow(course, "総合", v.jyoFigures);
    figureRow(course, "総合", v.zenFigures);

    const tally::KoumokuOtherFigures o = tally::koumokuOtherFigures(r, n);
    const auto& bands = tally::payoutBandLabels();
    for (std::size_t i = 0; i < bands.size(); ++i)
      valueRow(course, "的中配当 " + bands[i], CsvCell::integer(o.bands[i]));
    auto decimals = [](std::optional<double> v, const char* format) {
      if (!v) return CsvCell::empty();
      return CsvCell::text(sjprintfUtf8(format, *v));
    };
    valueRow(course, "平均的中配当", decimals(o.averagePayout, "%.0f"));
    valueRow(course, "的中ﾚｰｽ数", CsvCell::integer(o.hits));
    valueRow(course, "馬券購入レース数", CsvCell::integer(o.bought));
    valueRow(course, "馬連平均購入点数", decimals(o.umarenTickets, "%.2f"));
    valueRow(course, "馬連実質的中率", CsvCell::rate(o.umarenHitRate));
    valueRow(course, "馬連 1,3着 2,3着率", CsvCell::rate(o.umarenPlacedRate));
  }
  return t;
}

CsvTable rankCsv(const tally::RankResult& r) {
  CsvTable t(
      {"順位", "年", "月", "日", "競馬場", "回", "日目", "R", "ﾚｰｽ名", "式別", "組番", "金額", "回収率", "1着", "2着"});
  if (!tally::rankCodeValid(r.code)) return t;
  const int kind = tally::rankKindOf(r.code);
  const bool perRace = tally::rankPerRace(r.code);
  for (int i = 0; i < tally::RankResult::kRanked; ++i) {
    const tally::RankEntry& e = r.rows[i];
    if (e.tsuki == 0) continue;  // an empty rank
    auto text = [](const auto& buf) { return CsvCell::text(cp932ToUtf8(fixedText(buf))); };
    std::vector<CsvCell> cells{CsvCell::integer(i + 1),
                               text(e.nen),
                               CsvCell::integer(e.tsuki),
                               CsvCell::integer(e.hi),
                               CsvCell::text(tally::courseName(e.jyo)),
                               CsvCell::integer(e.kai),
                               CsvCell::integer(e.nichi)};
    if (perRace) {
      cells.push_back(CsvCell::integer(e.race + 1));
      cells.push_back(text(e.raceMei));
    } else {
      cells.push_back(CsvCell::empty());
      cells.push_back(CsvCell::empty());
    }
    const bool haitou = kind == tally::kRankHaitou;
    cells.push_back(haitou ? CsvCell::text(tally::rankShikiName(e.shiki)) : CsvCell::empty());
    cells.push_back(haitou ? CsvCell::text(trimmed(tally::rankBanText(e))) : CsvCell::empty());
    cells.push_back(CsvCell::integer(e.kingaku));
    cells.push_back(haitou ? CsvCell::empty() : CsvCell::rate(static_cast<double>(e.ritsu)));
    if (perRace) {
      cells.push_back(text(e.bamei1));
      cells.push_back(text(e.bamei2));
    }
    t.add(cells);
  }
  return t;
}

CsvTable jyokenCsv(const tally::JyokenResult& r) {
  CsvTable t({"競馬場", "馬券購入額", "回収率", "回収金額", "収支", "的中率", "条件"});
  const std::string conditions = closedUp(tally::jyokenConditionsText(r));
  for (int row = 0; row < tally::kJyokenRows; ++row) {
    const TallyFigures f = tally::jyokenFigures(r, row);
    t.add(joined(joined({CsvCell::text(f.label)}, moneyCells(f)), {CsvCell::text(conditions)}));
  }
  return t;
}

std::optional<CsvTable> tallyCsv(DataStore& ds, UserPort& port, tally::TallyKind kind) {
  switch (kind) {
    case tally::TallyKind::Shushi:
      if (auto r = tally::loadShushiFile(ds, port)) {
        const auto types = tally::readTypeFile(ds, tally::kShushiTypeWorkFile, r->timeStamp);
        return shushiCsv(*r, types ? &*types : nullptr);
      }
      break;
    case tally::TallyKind::Koumoku:
      if (auto r = tally::loadKoumokuFile(ds, port)) {
        const auto types = tally::readTypeFile(ds, tally::kKoumokuTypeWorkFile, r->timeStamp);
        return koumokuCsv(*r, types ? &*types : nullptr);
      }
      break;
    case tally::TallyKind::Rank:
      if (auto r = tally::loadRankFile(ds, port)) return rankCsv(*r);
      break;
    case tally::TallyKind::Jyoken:
      if (auto r = tally::loadJyokenFile(ds, port)) return jyokenCsv(*r);
      break;
  }
  return std::nullopt;
}

}  // namespace tovra::exports
