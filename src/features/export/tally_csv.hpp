#pragma once
// The four tally results as CSV tables: what the ｢CSV保存｣ button of each tally window
// saves and `tovra-cli tally ... --csv` prints. Each table holds the whole result of the
// work file (every row and course, every page), with the texts and figures its window
// shows.
#include <optional>

#include "features/export/csv.hpp"
#include "features/tally/jyoken_result.hpp"
#include "features/tally/koumoku_result.hpp"
#include "features/tally/rank_tally.hpp"
#include "features/tally/result_files.hpp"
#include "features/tally/shushi_tally.hpp"

namespace tovra::exports {

// 区分,競馬場,馬券購入額,回収率,回収金額,収支,的中率: every month (or 回次) and 全月, each
// course and 合計; a one-day tally has only its day. With the tally's type figures
// (tmp/shushisk.tmp) rows follow for each type the filter chose and for the chosen
// types together ("全式別"/"選択式別"), each course and 合計, 区分 the type's name; the
// purchase there is what was bought less what was refunded, and a "返還" row per course
// holds the refunded yen in 馬券購入額. Last, when WIN5 was chosen and bought, a "WIN5" row of
// 合計 (WIN5 belongs to no course). Without them the table is what it always was.
CsvTable shushiCsv(const tally::ShushiResult& r, const tally::TypeTallyResult* types = nullptr);
// 競馬場,項目,区分,馬券購入額,回収率,回収金額,収支,的中率,購入ﾚｰｽ数,的中ﾚｰｽ数,値: for every course
// and 全競馬場, each slot of each category, the course totals, and the page "その他" (the
// payout bands and the averages in 値). With the type figures (tmp/koumokusk.tmp) the
// bet-type category goes on with 馬単, 3連複 and 3連単, as the window's rows.
CsvTable koumokuCsv(const tally::KoumokuResult& r, const tally::TypeTallyResult* types = nullptr);
// 順位,年,月,日,競馬場,回,日目,R,ﾚｰｽ名,式別,組番,金額,回収率,1着,2着: the ranked rows (empty
// ranks left out); 金額 is the payout or the balance, the race columns only for per-race kinds.
CsvTable rankCsv(const tally::RankResult& r);
// 競馬場,馬券購入額,回収率,回収金額,収支,的中率,条件: the courses, 合計 and 総合合計, each with the
// conditions' text.
CsvTable jyokenCsv(const tally::JyokenResult& r);

// The table of a kind's work file, what its window shows; nothing (after the message the
// window would show) when the work file cannot be shown.
std::optional<CsvTable> tallyCsv(DataStore& ds, UserPort& port, tally::TallyKind kind);

}  // namespace tovra::exports
