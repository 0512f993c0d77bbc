#pragma once
// The figures of a range of years over all eight bet types: the five record types as the
// meeting records hold them (a race with scratched horses read from its race record, its
// refunded tickets taken out), and the bet store's 馬単, 3連複 and 3連単 settled, per type
// and all together. Rows of a date the course files hold no meeting on count nothing.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "domain/all_types_figures.hpp"
#include "storage/bet_store.hpp"
#include "storage/file_stamp.hpp"
#include "storage/ledger.hpp"
#include "storage/outcome.hpp"

namespace tovra {

// The store's races of a range of years, for a walk through the meeting days: each race
// taken once by the first meeting held on its date, none for a date without a meeting.
class StoredRaces {
 public:
  static Result<StoredRaces> read(BetStore& store, const std::vector<std::string>& years);
  // The race r (0-11) of the meeting on `date`: nullptr when the store holds none or a
  // meeting on the same date took it already.
  const StoredRace* take(const DateKey& date, int r);

 private:
  struct Row {
    RaceKey key;
    StoredRace race;
    bool taken = false;
  };
  std::vector<Row> rows_;  // in key order
};

struct RangeFigures {
  BetFigures old;       // 単勝 複勝 枠連 馬連 ﾜｲﾄﾞ together
  NewBetFigures fresh;  // the new types, per type and together
  BetFigures all;
  bool operator==(const RangeFigures&) const = default;
};

// What a range may keep of what it computed: the record types' figures of races with
// scratches, per course and year with its race file's stamp (only under the folder lock),
// so that the next range reads them instead of the race records.
struct RangeKeep {
  bool courseFigures = false;
  std::chrono::seconds settledAfter = kStampSettledAfter;
};

// Over the years given (registered year texts) and the courses (0..9, all when empty).
// A course file that cannot be read ends in its failure; a store that cannot be used in
// its refusal.
Result<RangeFigures> rangeFigures(const Ledger& ledger, BetStore& store, const std::vector<std::string>& years,
                                  const std::vector<int>& courses = {}, const RangeKeep& keep = {});

// The same range per bet type: every race's allTypesFigures (its record's tickets with the
// store's scratches refunded, its store lines settled) added up. Reads every race block.
// The old types' figures are counted from the tickets, so a race whose record was never
// settled still counts what its tickets give.
Result<AllTypesFigures> rangeFiguresByType(const Ledger& ledger, BetStore& store, const std::vector<std::string>& years,
                                           const std::vector<int>& courses = {});

// Every race of the range's meeting days (in the ledger's order) with its allTypesFigures,
// as rangeFiguresByType adds them up; a day without its race block is passed over. A store
// that cannot be read ends in its refusal, a course file in its failure.
using RaceFiguresVisit = std::function<void(const Ledger::ScanDay& day, int race, const AllTypesFigures& figures)>;
Status visitRaceFigures(const Ledger& ledger, BetStore& store, const std::vector<std::string>& years,
                        const std::vector<int>& courses, const RaceFiguresVisit& visit);

}  // namespace tovra
