// Damaged files of every kind the ledger keeps (main.dat, a meeting file, a race file,
// the settings and the import folders), empty, cut short, random or far too large, under
// every kind of tovra-cli command. Each command ends with an exit code and, when it does
// not succeed, a message (a crash, a hang or an allocation of gigabytes would end the test
// here, and ASan/UBSan report any bad access); a command that does not succeed changes
// nothing; and no rewrite drops a meeting that was there.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "common/cli_runner.hpp"
#include "common/ledger_builder.hpp"

using namespace tovra;
using namespace tovra::testing;

namespace {

enum class Damage { Empty, Truncated, Random, Oversized };

struct Case {
  const char* file;  // below the working folder
  Damage damage;
};

std::string damageName(Damage d) {
  switch (d) {
    case Damage::Empty: return "Empty";
    case Damage::Truncated: return "Truncated";
    case Damage::Random: return "Random";
    case Damage::Oversized: return "Oversized";
  }
  return "";
}

// Sizes and a hash of every file but the work files: a 300 MB file is hashed over its
// first and last megabyte only (the middle is the hole the test made).
using Digest = std::map<std::string, std::pair<std::uintmax_t, std::uint64_t>>;

std::uint64_t fnv(std::istream& in, std::uint64_t h, std::size_t n) {
  std::vector<char> buf(1 << 20);
  while (n > 0 && in) {
    in.read(buf.data(), static_cast<std::streamsize>(std::min(n, buf.size())));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got == 0) break;
    for (std::size_t i = 0; i < got; ++i) h = (h ^ static_cast<unsigned char>(buf[i])) * 1099511628211ull;
    n -= got;
  }
  return h;
}

Digest digest(const std::filesystem::path& root) {
  Digest out;
  for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
    const std::string rel = e.path().lexically_relative(root).generic_string();
    if (!e.is_regular_file() || rel.rfind("tmp/", 0) == 0) continue;
    const std::uintmax_t size = e.file_size();
    std::ifstream in(e.path(), std::ios::binary);
    std::uint64_t h = 14695981039346656037ull;
    if (size <= (64u << 20)) {
      h = fnv(in, h, size);
    } else {
      h = fnv(in, h, 1u << 20);
      in.seekg(static_cast<std::streamoff>(size - (1u << 20)));
      h = fnv(in, h, 1u << 20);
    }
    out[rel] = {size, h};
  }
  return out;
}

// 2001 with three meetings at 東京 holding races and tickets, and the settings and import
// folder files written once by the program itself.
void buildLedger(LedgerBuilder& l) {
  l.registerYears({2001});
  std::vector<KaisaiRecord> days{meetingDayCodes(428, 201, 3000, -1000, {2}), meetingDayCodes(429, 202),
                                 meetingDayCodes(505, 203, 500, 700, {3})};
  std::vector<RaceBlock> races(days.size());
  races[0][0].tanUma[0] = 3;
  races[0][0].tanGaku[0] = 3000;
  races[2][0].tanUma[0] = 5;
  races[2][0].tanGaku[0] = 500;
  l.setMeetings(2001, 4, days, races);
  ASSERT_EQ(runCli(l.root(), "settings set --start-course tok").exitCode, 0);
  ASSERT_EQ(runCli(l.root(), "folders set --pat-kind 1").exitCode, 0);
}

void damage(const std::filesystem::path& p, Damage d) {
  std::vector<unsigned char> bytes = readBytes(p);
  switch (d) {
    case Damage::Empty: bytes.clear(); break;
    case Damage::Truncated: bytes.resize(bytes.size() > 8 ? bytes.size() / 2 - 3 : 1); break;
    case Damage::Random: {
      std::mt19937 rng(20011);
      for (unsigned char& b : bytes) b = static_cast<unsigned char>(rng());
      break;
    }
    case Damage::Oversized: {
      // The file as it was, then a hole to 300 MB and one byte that is not 0 at its end.
      writeBytes(p, bytes);
      std::filesystem::resize_file(p, 300u << 20);
      std::fstream f(p, std::ios::in | std::ios::out | std::ios::binary);
      f.seekp((300 << 20) - 1);
      f.put('\x7f');
      return;
    }
  }
  writeBytes(p, bytes);
}

// The dates and 回次 of the meetings `meeting list` shows (its lines: index, date, 回次,
// day purchase, day balance; the index moves when a day is added, the figures when a
// race changes).
std::multiset<std::string> listedDays(const std::string& out) {
  std::multiset<std::string> days;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::string index, date, kai;
    std::getline(fields, index, '\t');
    std::getline(fields, date, '\t');
    std::getline(fields, kai, '\t');
    days.insert(date + " " + kai);
  }
  return days;
}

const char* const kCommands[] = {
    "year list",
    "meeting list tok",
    "show meeting tok 2",
    "show race tok 0 1",
    "--yes meeting add tok 12/20 5 8",
    "--yes meeting delete tok 1",
    "race buy tok 0 1 tan --horse 7 --amount 2",
    "settle --all",
    "tally shushi --range all",
    "tally rank --range all --kind 2",
    "search race ダービー",
    "folders show",
    "settings show",
    "--yes year add 2002",
};

class DamagedFile : public ::testing::TestWithParam<Case> {};

}  // namespace

TEST_P(DamagedFile, EveryCommandEndsWithAMessageAndARefusalChangesNothing) {
  for (const char* command : kCommands) {
    SCOPED_TRACE(command);
    LedgerBuilder l;
    buildLedger(l);
    if (HasFatalFailure()) return;
    damage(l / GetParam().file, GetParam().damage);
    const CliResult damagedList = runCli(l.root(), "--year 2001 meeting list tok");
    const Digest before = digest(l.root());

    const CliResult r = runCli(l.root(), command);
    EXPECT_TRUE(r.exitCode == 0 || r.exitCode == 1 || r.exitCode == 2) << r.exitCode;
    if (r.exitCode != 0) {
      EXPECT_FALSE(r.err.empty());
      EXPECT_EQ(digest(l.root()), before) << r.err;
    }
    // Whatever the damage, the meetings that could be read are all still there.
    const CliResult after = runCli(l.root(), "--year 2001 meeting list tok");
    if (damagedList.exitCode == 0 && after.exitCode == 0 && std::string(command).find("delete") == std::string::npos) {
      const auto was = listedDays(damagedList.out), is = listedDays(after.out);
      EXPECT_TRUE(std::includes(is.begin(), is.end(), was.begin(), was.end())) << damagedList.out << "\n" << after.out;
    }
  }
}

namespace {

std::vector<Case> allCases() {
  std::vector<Case> cases;
  for (const char* f :
       {"main.dat", "tovradatafile/tok/2001tok.dat", "tovradatafile/tok/2001rto.dat", "tovractm.dat", "janipa.dat"})
    for (Damage d : {Damage::Empty, Damage::Truncated, Damage::Random, Damage::Oversized}) cases.push_back({f, d});
  return cases;
}

std::string caseName(const ::testing::TestParamInfo<Case>& info) {
  std::string f = std::filesystem::path(info.param.file).stem().string();
  return "f" + f + "_" + damageName(info.param.damage);
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(EveryKind, DamagedFile, ::testing::ValuesIn(allCases()), caseName);
