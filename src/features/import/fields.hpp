#pragma once
// Reading the fixed fields of the outside files: decimal digit text, fixed-width names,
// and the meeting day they are compared with. Every read is bounds-checked by its
// caller's record; these helpers never look outside the bytes they are given.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tovra {

struct DayKey;
struct KaisaiRecord;

// A decimal field: blanks around the digits allowed, an empty field or one with any
// other character reads as 0. At most nine digits are taken, so the value fits an int.
int fieldNumber(std::string_view field);
inline int fieldNumber(const std::uint8_t* rec, std::size_t off, std::size_t len) {
  return fieldNumber(std::string_view(reinterpret_cast<const char*>(rec) + off, len));
}

// A fixed-width text field: up to its first NUL, its trailing half-width and full-width
// blanks removed (so a name reads and searches as a typed one does).
std::string fieldText(std::string_view field);
inline std::string fieldText(const std::uint8_t* rec, std::size_t off, std::size_t len) {
  return fieldText(std::string_view(reinterpret_cast<const char*>(rec) + off, len));
}

// Stores CP932 text into a fixed buffer: at most size - 1 bytes, cut between characters,
// NUL-filled.
void storeText(char* buf, std::size_t size, std::string_view cp932);
template <std::size_t N>
void storeText(char (&buf)[N], std::string_view cp932) {
  storeText(buf, N, cp932);
}

// The meeting day an import fills: its year and course, its date and 回次.
struct MeetingKey {
  std::string year;  // the current year text
  int course = 0;    // 0..9
  int tsukiHi = 0;   // month * 100 + day
  int kaiNichi = 0;  // kai * 100 + nichi
  int kai() const { return kaiNichi / 100; }
  int nichi() const { return kaiNichi % 100; }
};
MeetingKey meetingKey(const DayKey& key, const KaisaiRecord& meeting);

// The course's name (札幌 .. 小倉) in CP932, as the PAT and NIFTY files write it.
const std::string& courseNameCp932(int course);

// " %2dR" for every race number in the given order (the texts of the races read).
std::string raceListText(const std::vector<int>& races);

}  // namespace tovra
