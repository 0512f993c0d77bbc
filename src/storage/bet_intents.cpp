#include "storage/bet_intents.hpp"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace tovra {
namespace {

// The meetings of the course held on the date, or nullopt when its file cannot be read.
std::optional<int> meetingsOn(const Ledger& ledger, const std::string& year, int course, int month, int day) {
  const auto meetings = ledger.meetings(year, course);
  if (!meetings) return std::nullopt;
  const int tsukiHi = month * 100 + day;
  return static_cast<int>(
      std::count_if(meetings->begin(), meetings->end(), [&](const KaisaiRecord& k) { return k.tsukiHi == tsukiHi; }));
}

bool yearRegistered(const NenjiTable& years, int year) {
  return std::find(std::begin(years.nen), std::end(years.nen), year) != std::end(years.nen);
}

}  // namespace

Result<std::optional<StoreIntent>> beginDayIntent(BetStore& store, const Ledger& ledger, const std::string& year,
                                                  int course, int fromTsukiHi, std::optional<int> toTsukiHi) {
  using None = std::optional<StoreIntent>;
  if (toTsukiHi && *toTsukiHi == fromTsukiHi) return None{};
  if (!store.exists()) return None{};
  if (const Status opened = store.open(false); !opened) return opened.refusal();
  StoreIntent intent;
  intent.kind = toTsukiHi ? StoreIntent::Kind::MoveDay : StoreIntent::Kind::DeleteDay;
  intent.from = DateKey{std::atoi(year.c_str()), course, fromTsukiHi / 100, fromTsukiHi % 100};
  intent.to = intent.from;
  if (toTsukiHi) {
    intent.to.month = *toTsukiHi / 100;
    intent.to.day = *toTsukiHi % 100;
  }
  const auto held = store.days(intent.from.year, course);
  if (!held) return held.refusal();
  if (std::find(held->begin(), held->end(), intent.from) == held->end()) return None{};
  const auto from = meetingsOn(ledger, year, course, intent.from.month, intent.from.day);
  const auto to = meetingsOn(ledger, year, course, intent.to.month, intent.to.day);
  // The course cannot be read: the operation itself refuses it and changes nothing.
  if (!from || !to) return None{};
  if (*from != 1) return None{};
  intent.fromCountBefore = *from;
  intent.toCountBefore = *to;
  auto written = store.beginIntent(intent);
  if (!written) return written.refusal();
  return std::optional<StoreIntent>(*written);
}

Result<std::optional<StoreIntent>> beginYearIntent(BetStore& store, int year) {
  using None = std::optional<StoreIntent>;
  if (!store.exists()) return None{};
  if (const Status opened = store.open(false); !opened) return opened.refusal();
  StoreIntent intent;
  intent.kind = StoreIntent::Kind::DeleteYear;
  intent.from = DateKey{year, 0, 0, 0};
  intent.to = intent.from;
  auto written = store.beginIntent(intent);
  if (!written) return written.refusal();
  return std::optional<StoreIntent>(*written);
}

std::uint64_t dayFingerprint(const MeetingDay& day) {
  std::vector<std::uint8_t> bytes(KaisaiRecord::kSize + kRaceBlockSize);
  day.meeting.encode(bytes.data());
  for (std::size_t r = 0; r < day.races.size(); ++r)
    day.races[r].encode(bytes.data() + KaisaiRecord::kSize + r * RaceRecord::kSize);
  std::uint64_t h = 14695981039346656037ull;  // FNV-1a
  for (std::uint8_t b : bytes) {
    h ^= b;
    h *= 1099511628211ull;
  }
  return h;
}

Status settleIntent(BetStore& store, const Ledger& ledger, const StoreIntent& intent, bool atOpen) {
  if (intent.kind == StoreIntent::Kind::Import) {
    const auto day = ledger.readDay(DayKey{std::to_string(intent.from.year), intent.from.course, intent.index});
    if (!day) return Done{};
    const std::uint64_t now = dayFingerprint(*day);
    if (now == intent.after) return store.applyIntent(intent);
    // Not written, or (at the next open) written over since: the rows are not taken, and
    // the import can be run again.
    if (now == intent.before || atOpen) return store.dropIntent(intent.id);
    return Done{};
  }
  if (intent.kind == StoreIntent::Kind::DeleteYear) {
    const auto years = ledger.readYears(false);
    if (!years) return Done{};
    return yearRegistered(*years, intent.from.year) ? store.dropIntent(intent.id) : store.applyIntent(intent);
  }
  const std::string year = std::to_string(intent.from.year);
  const int course = intent.from.course;
  const auto from = meetingsOn(ledger, year, course, intent.from.month, intent.from.day);
  const auto to = meetingsOn(ledger, year, course, intent.to.month, intent.to.day);
  if (!from || !to) return Done{};
  const bool moved = intent.kind == StoreIntent::Kind::MoveDay;
  if (*from == intent.fromCountBefore && *to == intent.toCountBefore) return store.dropIntent(intent.id);
  if (*from == intent.fromCountBefore - 1 && (!moved || *to == intent.toCountBefore + 1))
    return store.applyIntent(intent);
  // Anything else is left to the next open, which reads the files after their own
  // recovery: there a day gone from its date counts as changed, anything else as not.
  if (!atOpen) return Done{};
  if (*from < intent.fromCountBefore && (!moved || *to > intent.toCountBefore)) return store.applyIntent(intent);
  return store.dropIntent(intent.id);
}

Status recoverBetIntents(BetStore& store, const Ledger& ledger) {
  if (!store.exists()) return Done{};
  if (const Status opened = store.open(false); !opened) return opened;
  const auto left = store.intents();
  if (!left) return left.refusal();
  for (const StoreIntent& intent : *left)
    if (const Status s = settleIntent(store, ledger, intent, true); !s) return s;
  return Done{};
}

}  // namespace tovra
