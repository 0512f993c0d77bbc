#pragma once
// Purchase-history CSV files as the betting service writes them, for the tests, the fuzz
// seeds and the benchmark: lines given in UTF-8, the file in CP932 with CR LF.
#include <cstdint>
#include <string>
#include <vector>

#include "storage/text.hpp"

namespace tovra::ipattest {

inline constexpr const char* kIpatHeader =
    "日付,受付番号,通番,場名,曜日,レース,式別,馬／組番,購入金額,的中／返還,払戻単価,払戻／返還金額";

// One data line: the twelve columns joined.
struct CsvRow {
  std::string date = "20220730", receipt = "0001", serial = "01", course = "新潟", weekday = "土", race = "11",
              type = "単勝", numbers = "08", amount = "100", outcome = "―", payout = "―", paid = "0";
};

inline std::string rowText(const CsvRow& r) {
  std::string s;
  for (const std::string* f : {&r.date, &r.receipt, &r.serial, &r.course, &r.weekday, &r.race, &r.type, &r.numbers,
                               &r.amount, &r.outcome, &r.payout, &r.paid}) {
    if (!s.empty()) s += ',';
    s += *f;
  }
  return s;
}

// The file: header, rows, the trailer with `total` (the rows' cost) and `paid`.
inline std::string csvText(const std::vector<std::string>& rows, long long total, long long paid = 0) {
  std::string s = kIpatHeader;
  s += "\r\n";
  for (const std::string& r : rows) {
    s += r;
    s += "\r\n";
  }
  s += ",,合計,,,,,,";
  s += std::to_string(total);
  s += ",,,";
  s += std::to_string(paid);
  s += "\r\n";
  return s;
}

inline std::string csvBytes(const std::vector<std::string>& rows, long long total, long long paid = 0) {
  return sj(csvText(rows, total, paid));
}

inline std::vector<std::uint8_t> csvVector(const std::vector<std::string>& rows, long long total, long long paid = 0) {
  const std::string b = csvBytes(rows, total, paid);
  return {b.begin(), b.end()};
}

// The example of a day at 新潟: a ﾜｲﾄﾞ that hit and a 3連複 that did not.
inline std::string niigataExample() {
  return csvBytes({"20220730,0001,02,新潟,土,11,ワイド,08―16,500,的中08―16,1430,7150",
                   "20220730,0001,04,新潟,土,11,3連複,06―10―12,100,―,―,0"},
                  600, 7150);
}

}  // namespace tovra::ipattest
