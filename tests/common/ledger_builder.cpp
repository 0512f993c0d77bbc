#include "common/ledger_builder.hpp"

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>

#include "common/scripted_port.hpp"
#include "features/main/folders.hpp"
#include "features/years/years.hpp"
#include "storage/paths.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"

namespace tovra::testing {

namespace {
template <class Rec>
void appendRecord(std::vector<std::uint8_t>& out, const Rec& rec) {
  const std::size_t at = out.size();
  out.resize(at + Rec::kSize);
  rec.encode(out.data() + at);
}
}  // namespace

void LedgerBuilder::registerYears(std::vector<int> years) {
  std::filesystem::create_directories(root() / kTmpFolder);
  std::filesystem::create_directories(root() / kShukeiFolder);
  for (int c = 0; c < kCourseCount; ++c) std::filesystem::create_directories(root() / courseFolderPath(c));
  NenjiTable t;
  std::sort(years.begin(), years.end(), std::greater<int>());
  for (std::size_t i = 0; i < years.size(); ++i) t.nen[i] = static_cast<std::uint16_t>(years[i]);
  std::vector<std::uint8_t> buf(NenjiTable::kSize);
  t.encode(buf.data());
  write(kMainDat, buf);
  for (int y : years)
    for (int c = 0; c < kCourseCount; ++c) setMeetings(y, c, {});
}

void LedgerBuilder::setMeetings(int year, int course, const std::vector<KaisaiRecord>& days,
                                const std::vector<RaceBlock>& races, bool terminated) const {
  std::vector<std::uint8_t> m, r;
  for (const KaisaiRecord& k : days) appendRecord(m, k);
  if (terminated) m.resize(m.size() + KaisaiRecord::kSize, 0);
  for (std::size_t i = 0; i < days.size(); ++i) {
    RaceBlock b{};
    if (i < races.size()) b = races[i];
    for (const RaceRecord& x : b) appendRecord(r, x);
  }
  r.resize(r.size() + kRaceBlockSize, 0);
  write(meetingFilePath(std::to_string(year), course), m);
  write(raceFilePath(std::to_string(year), course), r);
}

void LedgerBuilder::writeSettings(const SettingsRecord& s) const {
  std::vector<std::uint8_t> b(SettingsRecord::kSize);
  s.encode(b.data());
  write(kSettingsFile, b);
}

void LedgerBuilder::write(const std::string& logical, const std::vector<std::uint8_t>& bytes) const {
  const std::filesystem::path p = root() / logical;
  std::filesystem::create_directories(p.parent_path());
  std::ofstream f(p, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("cannot write " + p.string());
}

std::vector<std::uint8_t> LedgerBuilder::read(const std::string& logical) const {
  std::ifstream f(root() / logical, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

bool LedgerBuilder::exists(const std::string& logical) const { return std::filesystem::exists(root() / logical); }

LedgerCursor LedgerBuilder::open(int year, int course, int shown) const {
  LedgerCursor ds(root());
  ds.loadYears();
  ds.year = newestYear(ds.nenji);
  if (year != 0) ds.year = std::to_string(year);
  ds.countMeetings();
  ds.course = course;
  ds.shownMeeting[course] = shown;
  ds.readShown();
  return ds;
}

KaisaiRecord meetingDay(int month, int dayOfMonth, int kai, int nichi) {
  KaisaiRecord k;
  k.tsukiHi = static_cast<std::uint16_t>(month * 100 + dayOfMonth);
  k.kaiNichi = static_cast<std::uint16_t>(kai * 100 + nichi);
  return k;
}

KaisaiRecord meetingDayCodes(int tsukiHi, int kaiNichi, std::int32_t kounyu, std::int32_t shushi,
                             std::initializer_list<int> joutai) {
  KaisaiRecord k;
  k.tsukiHi = static_cast<std::uint16_t>(tsukiHi);
  k.kaiNichi = static_cast<std::uint16_t>(kaiNichi);
  k.kounyuGaku[12] = kounyu;
  k.shushi[12] = shushi;
  int r = 0;
  for (int j : joutai) k.raceJoutai[r++] = static_cast<std::uint16_t>(j);
  return k;
}

void setRaceFigures(KaisaiRecord& k, int r, int joutai, const std::string& nameUtf8, int purchase, int balance) {
  k.raceJoutai[r] = static_cast<std::uint16_t>(joutai);
  setFixedText(k.raceMei[r], sj(nameUtf8));
  k.kounyuGaku[r] = purchase;
  k.shushi[r] = balance;
  k.kounyuGaku[12] = 0;
  k.shushi[12] = 0;
  for (int i = 0; i < 12; ++i) {
    k.kounyuGaku[12] += k.kounyuGaku[i];
    k.shushi[12] += k.shushi[i];
  }
}

void makeLedger(LedgerCursor& ds, const std::vector<int>& years) {
  ScriptedPort port;
  if (!prepareFolders(ds.fs(), ds.root(), port)) throw std::runtime_error("prepare failed");
  ds.loadYears();
  const LedgerEvents events{};
  for (int y : years) {
    const auto r = registerYear(ds.ledger(), events, ds.nenji, std::to_string(y));
    if (!r) throw std::runtime_error("register failed");
    // The registered year is the current one, as the year dialog leaves it.
    ds.nenji = r->years;
    ds.year = r->year;
    ds.countMeetings();
  }
}

void appendMeeting(LedgerCursor& ds, int course, const KaisaiRecord& k, const RaceBlock& races) {
  const int keep = ds.course;
  ds.course = course;
  const int n = ds.meetingCount[course];
  ds.kaisai = k;
  ds.races = races;
  ds.writeDay(n);
  ds.kaisai = KaisaiRecord{};
  ds.races = RaceBlock{};
  ds.writeDay(n + 1);
  ds.meetingCount[course] = n + 1;
  ds.course = keep;
}

}  // namespace tovra::testing
