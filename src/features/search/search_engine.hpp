#pragma once
// The search engine: one scan of the chosen years, every hit streamed as a record into
// tmp/kensakukeka.tmp, the title and summary into tmp/kensakutext.tmp, and for the two
// name searches the history list. The current year, course and meeting day are the same
// afterwards.
#include <optional>
#include <string>

#include "features/search/search_rules.hpp"
#include "features/tally/tally_common.hpp"

namespace tovra {
class BetStore;
class DataStore;
class UserPort;
}  // namespace tovra

namespace tovra::search {

struct SearchParams {
  SearchType type = SearchType::RaceMei;
  tally::TallyRange range = tally::TallyRange::all();
  bool hitOnly = false;
  std::string text;     // name searches: CP932, at most 60 bytes
  bool picked = false;  // the text was picked from the history list (the history stays)
  int grade = 0;        // graded stakes: 0 GⅠ, 1 GⅡ, 2 GⅢ
  PayoutRange payout;   // payout search
};

inline constexpr std::size_t kTextMaxBytes = 60;

// Runs the search and writes its files; returns the number of records, or nullopt when a
// file could not be written (the message has been shown; the last result files stay as
// they were). A ledger file that cannot be read is the fatal file error.
// The payout search also lists the payouts of 馬単, 3連複 and 3連単 that `bets` holds, each
// race's after its record's 16 slots (and a date's only beside the first meeting day of
// that date). A store that cannot be read is shown as its message and the search goes on
// with the five record types.
std::optional<int> runSearch(DataStore& ds, UserPort& port, const SearchParams& params, BetStore* bets = nullptr);

// The title and summary of a finished search (CP932).
std::string searchTitle(SearchType type);
std::string searchSummary(const SearchParams& params, int count);

}  // namespace tovra::search
