#include "features/tally/type_tally.hpp"

#include <cstdlib>
#include <cstring>

#include "features/bets/race_bets.hpp"
#include "features/bets/range_figures.hpp"
#include "features/bets/win5_figures.hpp"
#include "features/tally/tally_figures.hpp"
#include "storage/bet_store.hpp"
#include "storage/bytes.hpp"
#include "storage/datastore.hpp"
#include "storage/ledger.hpp"

namespace tovra::tally {

namespace {

void putI64(std::uint8_t* p, std::size_t off, std::int64_t v) {
  const auto u = static_cast<std::uint64_t>(v);
  bytes::putU32(p, off, static_cast<std::uint32_t>(u));
  bytes::putU32(p, off + 4, static_cast<std::uint32_t>(u >> 32));
}

std::int64_t getI64(const std::uint8_t* p, std::size_t off) {
  const std::uint64_t u = bytes::getU32(p, off) | (std::uint64_t{bytes::getU32(p, off + 4)} << 32);
  return static_cast<std::int64_t>(u);
}

std::size_t cellAt(int row, int col) {
  return TypeTallyResult::kHeader + static_cast<std::size_t>(row * kTypeCols + col) * TypeTallyResult::kCellSize;
}

void add(TypeCell& c, const BetFigures& f) {
  BetFigures sum{c.bought, c.refunded, c.ret, false};
  sum += f;  // stops at the 64-bit limit as every figure does
  c.bought = sum.bought;
  c.refunded = sum.refunded;
  c.ret = sum.ret;
  if (f.bought > 0) {
    ++c.races;
    if (f.hit) ++c.hits;
  }
}

}  // namespace

void TypeTallyResult::encode(std::uint8_t* out) const {
  std::memset(out, 0, kSize);
  bytes::putU32(out, 0, typeBitsForFile(filter.types));
  bytes::putI32(out, 4, filter.course);
  bytes::putRaw(out, 8, timeStamp, kStampSize);
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kTypeCols; ++col) {
      const TypeCell& c = cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
      const std::size_t at = cellAt(row, col);
      putI64(out, at, c.bought);
      putI64(out, at + 8, c.refunded);
      putI64(out, at + 16, c.ret);
      bytes::putI32(out, at + 24, c.races);
      bytes::putI32(out, at + 28, c.hits);
    }
  }
}

bool TypeTallyResult::decode(const std::uint8_t* in, std::size_t size) {
  if (size < kSize) return false;
  filter.types = typeBitsFromFile(bytes::getU32(in, 0));
  filter.course = bytes::getI32(in, 4);
  bytes::getRaw(in, 8, timeStamp, kStampSize);
  timeStamp[kStampSize - 1] = '\0';
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kTypeCols; ++col) {
      TypeCell& c = cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
      const std::size_t at = cellAt(row, col);
      c.bought = getI64(in, at);
      c.refunded = getI64(in, at + 8);
      c.ret = getI64(in, at + 16);
      c.races = bytes::getI32(in, at + 24);
      c.hits = bytes::getI32(in, at + 28);
    }
  }
  return true;
}

bool TypeTallyResult::operator==(const TypeTallyResult& o) const {
  return filter == o.filter && std::memcmp(timeStamp, o.timeStamp, kStampSize) == 0 && cells == o.cells;
}

Result<TypeTallyResult> typeTally(const Ledger& ledger, BetStore& store, const std::vector<std::string>& years,
                                  const TallyFilter& filter, int monthDay) {
  TypeTallyResult out;
  out.filter = filter;
  std::vector<int> courses;
  if (filter.course >= 0) courses = {filter.course};
  auto& all = out.cells[kAllCoursesRow];
  const Status visited = visitRaceFigures(
      ledger, store, years, courses, [&](const Ledger::ScanDay& d, int, const AllTypesFigures& f) {
        if (d.key.course < 0 || d.key.course >= kCourseCount) return;
        if (monthDay != 0 && d.meeting.tsukiHi != monthDay) return;
        auto& row = out.cells[static_cast<std::size_t>(d.key.course)];
        for (int t = 0; t < kTallyTypeCount; ++t) {
          if (!filter.has(t)) continue;
          add(row[static_cast<std::size_t>(t)], figuresOf(f, t));
          add(all[static_cast<std::size_t>(t)], figuresOf(f, t));
        }
        const BetFigures chosen = chosenFigures(f, filter);
        add(row[kChosenCol], chosen);
        add(all[kChosenCol], chosen);
      });
  if (visited.failed()) return visited.failure();
  if (visited.refused()) return visited.refusal();
  if (filter.countsWin5()) {
    Win5Range range;
    for (const std::string& y : years) range.years.push_back(std::atoi(y.c_str()));
    range.monthDay = monthDay;
    if (!years.empty()) {
      const auto days = win5DayFigures(store, range);
      if (days.failed()) return days.failure();
      if (days.refused()) return days.refusal();
      for (const Win5DayFigures& d : *days) {
        add(all[kTallyWin5Slot], d.figures);
        add(all[kChosenCol], d.figures);
      }
    }
  }
  return out;
}

std::optional<TypeTallyResult> readTypeFile(DataStore& ds, const std::string& logical, const char* oldStamp) {
  auto r = readResultFile<TypeTallyResult>(ds, logical, TypeTallyResult::kSize);
  if (!r) return std::nullopt;
  if (std::strncmp(r->timeStamp, oldStamp, kStampSize) != 0) return std::nullopt;
  return r;
}

CellView typeCellView(const TypeCell& c, int hitWidth) {
  const TallyFigures f = koumokuFigures("", c.races, c.hits, c.purchase(), c.balance());
  return figuresCell(f, hitWidth);
}

}  // namespace tovra::tally
