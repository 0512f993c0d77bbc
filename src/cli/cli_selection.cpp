#include "cli/cli_selection.hpp"

#include "storage/records.hpp"

namespace tovra::cli {

std::string runYear(Context& ctx) { return ctx.requireYear().year; }

int runYearNumber(Context& ctx) {
  ctx.prepare();
  return ctx.ds->yearNumber();
}

DayKey meetingDay(Context& ctx, int course, int index) {
  const std::string year = runYear(ctx);
  const Ledger ledger = ctx.ds->ledger();
  const auto counts = ledger.countMeetings(year);
  if (!counts) endWith(ctx, counts.failure());
  if (index < 0 || index >= (*counts)[static_cast<std::size_t>(course)])
    ctx.refuse(std::string(keibajo(course).name) + "競馬場に開催ﾃﾞｰﾀ " + std::to_string(index) + " はありません。");
  return DayKey{year, course, index};
}

void endWith(Context& ctx, const FileFailure& f) { ctx.ds->fatal(f.code, f.path); }

}  // namespace tovra::cli
