#include "features/tally/tally_figures.hpp"

#include "features/tally/jyoken_view.hpp"
#include "features/tally/tally_common.hpp"
#include "storage/text.hpp"

namespace tovra::tally {

namespace {

// A row of one of the results that store their rates: shown when something was bought.
TallyFigures storedRates(std::string label, std::int64_t purchase, std::int64_t balance, float recovery,
                         float hitRate) {
  TallyFigures f{std::move(label), purchase, balance, std::nullopt, std::nullopt, std::nullopt, std::nullopt};
  if (purchase != 0) {
    f.recovery = static_cast<double>(recovery);
    f.hitRate = static_cast<double>(hitRate);
  }
  return f;
}

}  // namespace

std::string shushiRowLabel(const ShushiResult& r, int row) {
  if (r.mode == kShushiDay) return std::to_string(r.selection / 100) + "月" + std::to_string(r.selection % 100) + "日";
  const bool kai = r.mode == kShushiAllByKai || r.mode == kShushiYearByKai;
  if (row == ShushiResult::kSumRow) return kai ? "全回次" : "全月";
  return std::to_string(row + 1) + (kai ? "回" : "月");
}

std::string shushiColumnLabel(int col) { return col == ShushiResult::kSumCol ? "合計" : courseName(col); }

TallyFigures shushiFigures(const ShushiResult& r, int row, int col) {
  const int i = ShushiResult::cell(row, col);
  return storedRates(shushiColumnLabel(col), r.kounyu[i], r.shushi[i], r.kaishu[i], r.tekichu[i]);
}

TallyFigures koumokuFigures(const std::string& label, std::int64_t bought, std::int64_t hits, std::int64_t purchase,
                            std::int64_t balance) {
  TallyFigures f{label, purchase, balance, std::nullopt, std::nullopt, bought, hits};
  if (bought == 0) return f;
  f.recovery = purchase != 0 ? static_cast<double>(purchase + balance) / static_cast<double>(purchase) * 100.0 : 0.0;
  f.hitRate = static_cast<double>(hits) / static_cast<double>(bought) * 100.0;
  return f;
}

TallyFigures koumokuTotalFigures(const KoumokuResult& r, int n, const std::string& label) {
  return koumokuFigures(label, r.races[n][0], r.races[n][1], r.dayPurchase[n][0], r.dayBalance[n][0]);
}

CellView figuresCell(const TallyFigures& f, int hitWidth) {
  if (!f.shown()) return emptyCell();
  return moneyCell(f.purchase, *f.recovery, f.balance, rateText(f.hitRate.value_or(0.0), hitWidth));
}

TallyFigures jyokenFigures(const JyokenResult& r, int row) {
  return storedRates(jyokenRowLabels()[static_cast<std::size_t>(row)], r.purchase[row], r.balance[row], r.recovery[row],
                     r.hitRate[row]);
}

}  // namespace tovra::tally
