#pragma once
// What the stores built on SQLite share for their rows: horse lists kept as
// comma-separated numbers, and a statement run once with its parameters.
#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "storage/sqlite_db.hpp"

namespace tovra::sql {

// "3,7,12"; "" for no horse.
inline std::string joinNumbers(const std::vector<int>& numbers) {
  std::string s;
  for (int n : numbers) {
    if (!s.empty()) s += ',';
    s += std::to_string(n);
  }
  return s;
}

// The numbers of such a list; false when it is not one.
inline bool splitNumbers(const std::string& s, std::vector<int>& out) {
  out.clear();
  if (s.empty()) return true;
  const char* p = s.data();
  const char* end = p + s.size();
  for (;;) {
    int n = 0;
    const auto [next, ec] = std::from_chars(p, end, n);
    if (ec != std::errc() || next == p) return false;
    out.push_back(n);
    if (next == end) return true;
    if (*next != ',') return false;
    p = next + 1;
  }
}

// Prepares `q`, binds `values` as ?1.. and runs it to its end.
template <class... Values>
SqlStatus run(Db& db, std::string_view q, const Values&... values) {
  auto st = db.prepare(q);
  if (!st) return st.error();
  if (auto s = st->bindAll(values...); !s) return s;
  return st->run();
}

}  // namespace tovra::sql
