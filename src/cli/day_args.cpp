#include "cli/day_args.hpp"

#include <string>

namespace tovra::cli {

DayKey dayKey(Context& ctx, const MeetingArgs& args) {
  const int course = parseCourse(ctx, args.course);
  const int index = parseMeetingIndex(ctx, course, args.index);
  const DataStore& ds = ctx.requireYear();
  if (index < 0 || index >= ctx.counts[static_cast<std::size_t>(course)])
    ctx.refuse(std::string(keibajo(course).name) + "競馬場に開催ﾃﾞｰﾀ " + std::to_string(index) + " はありません。");
  return DayKey{ds.year, course, index};
}

RaceAddress raceAddress(Context& ctx, const RaceArgs& args) {
  const int race = parseRace(ctx, args.race);
  return RaceAddress{dayKey(ctx, args.meeting), race};
}

MeetingDay readDay(Context& ctx, const DayKey& key) {
  auto day = ctx.requireYear().ledger().readDay(key);
  if (!day) ctx.ds->fatal(day.failure().code, day.failure().path);
  return std::move(*day);
}

}  // namespace tovra::cli
