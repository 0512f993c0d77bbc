#include "features/entry/meeting_series.hpp"

namespace tovra {
namespace {

// Days after the first day of the series; a Saturday start is followed by its Sunday,
// a Sunday start by the next Saturday.
constexpr int kOddOffsets[] = {0, 1, 7, 8, 14, 15, 21, 22};
constexpr int kEvenOffsets[] = {0, 6, 7, 13, 14, 20, 21};

// Brings day into its month, one step per rule and in this order. The offsets are at
// most 22 days, so one step is always enough for a day of 1..31.
void normalize(int& month, int& day) {
  if (day > 31 && (month == 1 || month == 3 || month == 5 || month == 7 || month == 8 || month == 10)) {
    day -= 31;
    ++month;
  }
  if (day > 28 && month == 2) {
    day -= 28;
    ++month;
  }
  if (day > 31 && month == 12) {
    day -= 31;
    month = 1;
  }
  if (day > 30 && (month == 4 || month == 6 || month == 9 || month == 11)) {
    day -= 30;
    ++month;
  }
}

}  // namespace

std::vector<MeetingDate> seriesDates(const MeetingDate& first) {
  std::vector<MeetingDate> out;
  if (first.nichi < 1 || first.nichi > 8) return out;
  const int* offsets = first.nichi % 2 == 1 ? kOddOffsets : kEvenOffsets;
  for (int k = 0; first.nichi + k <= 8; ++k) {
    MeetingDate d = first;
    d.day = first.day + offsets[k];
    d.nichi = first.nichi + k;
    if (k > 0) normalize(d.month, d.day);
    out.push_back(d);
  }
  return out;
}

}  // namespace tovra
