#pragma once
// Hand-made JV-Data records: blank records of a kind's length with fields written at the
// 1-based positions of the record tables, and the day of the import tests (東京, 2018年
// 11月25日, 5回8日目) in them.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace tovra::jvtest {

struct Rec {
  std::vector<std::uint8_t> b;
  // A blank record: the kind, data kind and creation date, spaces, CR LF at the end.
  Rec(std::string_view kind, std::size_t length, char dataKind = '2') : b(length, ' ') {
    put(1, kind);
    b[2] = static_cast<std::uint8_t>(dataKind);
    put(4, "20181126");
    b[length - 2] = '\r';
    b[length - 1] = '\n';
  }
  // Text at the 1-based position `pos`.
  Rec& put(std::size_t pos, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) b.at(pos - 1 + i) = static_cast<std::uint8_t>(text[i]);
    return *this;
  }
  // A number right-aligned in `len` digits, zero-filled.
  Rec& num(std::size_t pos, std::size_t len, long long v) {
    std::string s = std::to_string(v);
    s.insert(0, len - s.size(), '0');
    return put(pos, s);
  }
  // The race key at 12-27.
  Rec& race(int date, int course, int kai, int nichi, int r) {
    num(12, 8, date);
    num(20, 2, course);
    num(22, 2, kai);
    num(24, 2, nichi);
    return num(26, 2, r);
  }
};

inline constexpr int kDate = 20181125, kCourse = 5, kKai = 5, kNichi = 8;

// RA of race r of the day: a 2400 m turf race, going 良.
inline Rec raRecord(int r, int date = kDate, int course = kCourse) {
  Rec x("RA", 1272);
  x.race(date, course, kKai, kNichi, r);
  return x.put(617, "13").put(619, "A00").put(622, "4").put(623, "000000000000999").num(698, 4, 2400).put(706, "11")
      .num(888, 3, 110);
}

// SE of horse h in frame f of race r; position 0 before the race.
inline Rec seRecord(int r, int f, int h, int position, std::size_t length = 555, int date = kDate) {
  Rec x("SE", length);
  x.race(date, kCourse, kKai, kNichi, r);
  x.num(28, 1, f).num(29, 2, h).num(289, 3, 570).put(307, "Lemaire").num(332, 1, 0).num(335, 2, position);
  return x;
}

// HR of race r.
inline Rec hrRecord(int r, char dataKind = '2', int date = kDate) {
  Rec x("HR", 719, dataKind);
  x.race(date, kCourse, kKai, kNichi, r);
  x.num(28, 2, 14).num(30, 2, 14);
  x.put(32, "000000000").put(41, "000000000").put(50, "000000000");
  x.put(59, std::string(28, '0')).put(87, std::string(8, '0')).put(95, std::string(8, '0'));
  // Every payout slot empty (zeros).
  x.put(103, std::string(717 - 102, '0'));
  return x;
}

// A file of records.
inline std::vector<std::uint8_t> jvFile(const std::vector<Rec>& recs) {
  std::vector<std::uint8_t> out;
  for (const Rec& r : recs) out.insert(out.end(), r.b.begin(), r.b.end());
  return out;
}

}  // namespace tovra::jvtest
