#include "features/entry/meeting_boxes.hpp"

#include <algorithm>

#include "storage/text.hpp"

namespace tovra {
namespace {

std::vector<std::string> numbered(int last, const char* format) {
  std::vector<std::string> out;
  for (int i = 1; i <= last; ++i) out.push_back(sjprintfUtf8(format, i));
  return out;
}

}  // namespace

const MeetingBoxes& meetingBoxes() {
  static const MeetingBoxes boxes{numbered(12, "%2d月"), numbered(31, "%2d日"), numbered(12, "%2d回"),
                                  numbered(8, "%2d日目")};
  return boxes;
}

MeetingDate dateFromBoxes(int tsuki, int hi, int kai, int nichi) { return {tsuki + 1, hi + 1, kai + 1, nichi + 1}; }

BoxSelection boxesForMeeting(int tsukiHi, int kaiNichi) {
  auto entry = [](int value, int count) { return std::clamp(value - 1, 0, count - 1); };
  return {entry(tsukiHi / 100, 12), entry(tsukiHi % 100, 31), entry(kaiNichi / 100, 12), entry(kaiNichi % 100, 8)};
}

}  // namespace tovra
