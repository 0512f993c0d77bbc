#include "storage/meeting_scan.hpp"

#include <algorithm>

#include "storage/bytes.hpp"
#include "storage/fileio.hpp"

namespace tovra {
namespace {

bool allZero(const std::uint8_t* p, std::size_t n) {
  return std::all_of(p, p + n, [](std::uint8_t b) { return b == 0; });
}

// Reads from the current position up to `limit` bytes of the file in pieces; true when
// every byte read is 0. Returns false also when the file goes on past `limit`.
bool restIsZero(File& f, std::uint64_t from, std::uint64_t limit) {
  if (f.size() > limit) return false;
  std::vector<std::uint8_t> buf(1u << 16);
  for (std::uint64_t at = from; at < limit;) {
    std::size_t got = f.read(buf.data(), buf.size());
    if (got == 0) break;
    if (!allZero(buf.data(), got)) return false;
    at += got;
  }
  return true;
}

}  // namespace

std::uint16_t MeetingScan::tsukiHi(std::size_t i) const { return bytes::getU16(record(i), kaisai_off::tsukiHi); }

KaisaiRecord MeetingScan::meeting(std::size_t i) const {
  KaisaiRecord k;
  k.decode(record(i));
  return k;
}

MeetingScan scanMeetingFile(File& f, bool checkTail) {
  MeetingScan s;
  std::uint8_t rec[KaisaiRecord::kSize];
  for (;;) {
    if (s.count() == kMaxMeetingsPerFile) {
      s.damage = CourseDamage::TooLarge;
      return s;
    }
    const std::size_t got = f.read(rec, sizeof rec);
    if (got < sizeof rec) {
      // The end of the file without an all-zero record. A piece of a record that holds
      // something is a record cut short: rewriting would drop it.
      if (!allZero(rec, got)) s.damage = CourseDamage::PartialRecord;
      return s;
    }
    if (bytes::getU16(rec, kaisai_off::tsukiHi) == 0) break;
    s.records.insert(s.records.end(), rec, rec + sizeof rec);
  }
  if (!checkTail) return s;
  const std::uint64_t limit = static_cast<std::uint64_t>(kMaxMeetingsPerFile + 1) * KaisaiRecord::kSize;
  if (f.size() > limit)
    s.damage = CourseDamage::TooLarge;
  else if (!allZero(rec, sizeof rec) || !restIsZero(f, (s.count() + 1) * KaisaiRecord::kSize, limit))
    s.damage = CourseDamage::DataAfterEnd;
  return s;
}

CourseDamage checkRaceFile(File& f, std::size_t meetings) {
  const std::uint64_t need = static_cast<std::uint64_t>(meetings) * kRaceBlockSize;
  const std::uint64_t limit = static_cast<std::uint64_t>(kMaxMeetingsPerFile + 1) * kRaceBlockSize;
  const std::uint64_t size = f.size();
  if (size < need) return CourseDamage::RaceFileShort;
  if (size > limit || !f.seek(need) || !restIsZero(f, need, limit)) return CourseDamage::RaceDataAfterEnd;
  return CourseDamage::None;
}

std::string courseDamageMessage(CourseDamage d, const std::string& meetingFile, const std::string& raceFile) {
  const bool race = d == CourseDamage::RaceFileShort || d == CourseDamage::RaceDataAfterEnd;
  return std::string(race ? "ﾚｰｽﾃﾞｰﾀﾌｧｲﾙ" : "開催ﾃﾞｰﾀﾌｧｲﾙ") + "が壊れています。\n\n" + (race ? raceFile : meetingFile) +
         "\n\n開催ﾃﾞｰﾀの登録・修正・削除は出来ません。";
}

}  // namespace tovra
