// The bet store: every kind of row read back as a plain model of it holds them, a missing
// file read as empty, damaged files refused untouched, the layout of version 1, intents,
// the scan in key order, and a failure at every I/O step of a change leaving the store as
// before (or, once committed, as after).
#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <random>

#include "common/failing_sqlite_vfs.hpp"
#include "common/temp_dir.hpp"
#include "storage/bet_store.hpp"
#include "storage/sqlite_db.hpp"

using namespace tovra;
using namespace tovra::testing;

namespace {

using Model = std::map<RaceKey, StoredRace>;

std::string damagedText(const std::filesystem::path& file) {
  std::string s = kBetStoreDamagedText;
  return s.replace(s.find("%1"), 2, file.string());
}
std::string writeFailedText(const std::filesystem::path& file) {
  std::string s = kBetStoreWriteFailedText;
  return s.replace(s.find("%1"), 2, file.string());
}

std::filesystem::path storeFile(const std::filesystem::path& root) { return root / "tovradatafile" / "bets.sqlite"; }

// Everything the store holds, by scan.
Model contents(BetStore& store) {
  Model m;
  const Status s = store.scan({}, [&](const RaceKey& k, const StoredRace& r) {
    EXPECT_FALSE(m.count(k)) << "visited twice";
    if (!m.empty()) {
      EXPECT_LT(m.rbegin()->first, k) << "out of order";
    }
    m[k] = r;
  });
  EXPECT_TRUE(s) << (s.refused() ? s.refusal().text : "");
  return m;
}

// The model without its empty races, as the store holds them.
Model held(const Model& m) {
  Model out;
  for (const auto& [k, r] : m)
    if (!r.empty()) out[k] = r;
  return out;
}

// Runs SQL on a store file directly, as another program would.
void rawSql(const std::filesystem::path& file, const std::string& q) {
  auto db = sql::Db::open(file.string(), 0x2 | 0x4);  // SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE
  ASSERT_TRUE(db) << db.error().message;
  const auto s = db->exec(q);
  ASSERT_TRUE(s) << s.error().message;
}
std::string rawText(const std::filesystem::path& file, const std::string& q) {
  auto db = sql::Db::open(file.string(), 0x1);  // SQLITE_OPEN_READONLY
  if (!db) return "open failed";
  auto v = db->queryText(q);
  return v ? v->value_or("NULL") : "failed: " + v.error().message;
}

StoredLine randomLine(std::mt19937& rng) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  StoredLine l;
  l.type = pick(0, 2);
  l.method = pick(0, 3);
  for (auto& set : l.sets) {
    const int n = pick(0, 5);
    for (int i = 0; i < n; ++i) set.push_back(pick(1, 18));
  }
  l.multi = pick(0, 1) == 1;
  l.places = {pick(1, 3), pick(1, 3)};
  l.stake = pick(1, 99999);
  l.points = pick(0, 4896);
  return l;
}

std::vector<int> randomNumbers(std::mt19937& rng, int max) {
  std::vector<int> v(static_cast<std::size_t>(std::uniform_int_distribution<int>(0, 4)(rng)));
  for (int& n : v) n = std::uniform_int_distribution<int>(1, max)(rng);
  return v;
}

std::vector<int> sortedUnique(std::vector<int> v) {
  std::sort(v.begin(), v.end());
  v.erase(std::unique(v.begin(), v.end()), v.end());
  return v;
}

// A few races over two years, two courses and two days each, so that operations collide.
std::vector<RaceKey> someKeys() {
  std::vector<RaceKey> keys;
  for (int year : {2003, 2012})
    for (int course : {3, 9})
      for (DateKey d : {DateKey{year, course, 8, 4}, DateKey{year, course, 12, 28}})
        for (int race : {1, 5, 12}) keys.push_back({d, race});
  return keys;
}

// A store with rows on a handful of days, and the model of it.
Model fill(BetStore& store, std::uint32_t seed, const std::vector<RaceKey>& keys, int rows) {
  std::mt19937 rng(seed);
  Model m;
  for (int i = 0; i < rows; ++i) {
    const RaceKey& k = keys[rng() % keys.size()];
    StoredRace& r = m[k];
    switch (rng() % 4) {
      case 0:
      case 1: {
        StoredLine l = randomLine(rng);
        auto id = store.addLine(k, l);
        EXPECT_TRUE(id);
        l.id = *id;
        r.lines.push_back(l);
        break;
      }
      case 2: {
        const StoredWinner w{static_cast<int>(rng() % 3), {1, 2, 3}, 29832950};
        EXPECT_TRUE(store.addWinner(k, w));
        r.winners.push_back(w);
        break;
      }
      default:
        EXPECT_TRUE(store.setScratch(k, {4}, {2}));
        r.scratched = {4};
        r.refundedFrames = {2};
        EXPECT_TRUE(store.setSpecial(k, 1, 70));
        r.special[1] = 70;
    }
  }
  return held(m);
}

}  // namespace

TEST(BetStore, EveryChangeReadsBackAsTheModelHoldsIt) {
  RunDir dir;
  std::filesystem::create_directories(dir.path() / "tovradatafile");
  BetStore store(dir.path());
  Model model;
  const auto keys = someKeys();
  std::mt19937 rng(25);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int step = 0; step < 600; ++step) {
    const RaceKey& k = keys[static_cast<std::size_t>(pick(0, static_cast<int>(keys.size()) - 1))];
    StoredRace& r = model[k];
    const int op = pick(0, 7);
    SCOPED_TRACE("step " + std::to_string(step) + " op " + std::to_string(op));
    switch (op) {
      case 0:
      case 1: {
        StoredLine l = randomLine(rng);
        auto id = store.addLine(k, l);
        ASSERT_TRUE(id);
        l.id = *id;
        if (!r.lines.empty()) {
          EXPECT_GT(l.id, r.lines.back().id);
        }
        r.lines.push_back(l);
        break;
      }
      case 2: {
        const int n = pick(0, static_cast<int>(r.lines.size()) + 1);
        const Status s = store.deleteLine(k, n);
        if (n >= 1 && n <= static_cast<int>(r.lines.size())) {
          EXPECT_TRUE(s);
          r.lines.erase(r.lines.begin() + (n - 1));
        } else {
          ASSERT_TRUE(s.refused());
          EXPECT_EQ(s.refusal().text, "");
        }
        break;
      }
      case 3: {
        const int type = pick(0, 2);
        StoredWinner w{type, {pick(1, 18), pick(1, 18), type == 0 ? 0 : pick(1, 18)}, 0};
        w.payout = pick(0, 1) ? pick(100, 999999999) : (std::int64_t{1} << 40) + pick(0, 99);
        ASSERT_TRUE(store.addWinner(k, w));
        r.winners.push_back(w);
        break;
      }
      case 4: {
        const int type = pick(0, 2);
        std::vector<std::size_t> ofType;
        for (std::size_t i = 0; i < r.winners.size(); ++i)
          if (r.winners[i].type == type) ofType.push_back(i);
        const int n = pick(0, static_cast<int>(ofType.size()) + 1);
        const Status s = store.deleteWinner(k, type, n);
        if (n >= 1 && n <= static_cast<int>(ofType.size())) {
          EXPECT_TRUE(s);
          r.winners.erase(r.winners.begin() + static_cast<std::ptrdiff_t>(ofType[static_cast<std::size_t>(n - 1)]));
        } else {
          ASSERT_TRUE(s.refused());
          EXPECT_EQ(s.refusal().text, "");
        }
        break;
      }
      case 5: {
        const int type = pick(0, 2);
        std::optional<std::int64_t> payout;
        if (pick(0, 2)) payout = pick(0, 1) ? 70 : 5000000000LL;
        ASSERT_TRUE(store.setSpecial(k, type, payout));
        r.special[static_cast<std::size_t>(type)] = payout;
        break;
      }
      case 6: {
        const int type = pick(0, 2);
        ASSERT_TRUE(store.clearResult(k, type));
        std::erase_if(r.winners, [&](const StoredWinner& w) { return w.type == type; });
        r.special[static_cast<std::size_t>(type)].reset();
        break;
      }
      default: {
        const auto horses = pick(0, 3) ? randomNumbers(rng, 18) : std::vector<int>{};
        const auto frames = pick(0, 1) ? randomNumbers(rng, 8) : std::vector<int>{};
        ASSERT_TRUE(store.setScratch(k, horses, frames));
        r.scratched = sortedUnique(horses);
        r.refundedFrames = sortedUnique(frames);
      }
    }
    auto back = store.race(k);
    ASSERT_TRUE(back);
    ASSERT_EQ(*back, r);
  }
  // The whole store, the days and the day view agree with the model; so does a new
  // connection to the file.
  EXPECT_EQ(contents(store), held(model));
  BetStore again(dir.path());
  EXPECT_EQ(contents(again), held(model));
  for (const RaceKey& k : keys) {
    auto day = again.day(k.date);
    ASSERT_TRUE(day);
    EXPECT_EQ((*day)[static_cast<std::size_t>(k.race - 1)], model[k]);
  }
  for (int year : {2003, 2012})
    for (int course : {3, 9}) {
      std::vector<DateKey> expected;
      for (const auto& [k, r] : held(model))
        if (k.date.year == year && k.date.course == course && (expected.empty() || expected.back() != k.date))
          expected.push_back(k.date);
      auto days = again.days(year, course);
      ASSERT_TRUE(days);
      EXPECT_EQ(*days, expected);
    }
  auto check = again.integrityCheck();
  ASSERT_TRUE(check);
  EXPECT_EQ(*check, "ok");
}

TEST(BetStore, HorseListsAreStoredAsCommaSeparatedNumbers) {
  RunDir dir;
  BetStore store(dir.path());
  StoredLine l;
  l.type = 2;
  l.method = 3;
  l.sets = {std::vector<int>{3, 7, 12}, std::vector<int>{1}, std::vector<int>{}};
  l.places = {1, 3};
  l.stake = 5;
  l.points = 6;
  ASSERT_TRUE(store.addLine({{2004, 4, 5, 30}, 11}, l));
  ASSERT_TRUE(store.setScratch({{2004, 4, 5, 30}, 11}, {12, 3, 3}, {8, 1}));
  const auto file = storeFile(dir.path());
  EXPECT_EQ(rawText(file, "SELECT set1 || '|' || set2 || '|' || set3 FROM lines"), "3,7,12|1|");
  EXPECT_EQ(rawText(file, "SELECT horses || '|' || frames FROM scratches"), "3,12|1,8");
  EXPECT_EQ(rawText(file, "SELECT version FROM schema_version"), "6");
  EXPECT_EQ(rawText(file, "PRAGMA journal_mode"), "delete");
}

TEST(BetStore, AMissingFileReadsEmptyAndNothingIsCreated) {
  for (bool withFolder : {false, true}) {
    RunDir dir;
    if (withFolder) std::filesystem::create_directories(dir.path() / "tovradatafile");
    const auto before = namesIn(dir.path());
    BetStore store(dir.path());
    EXPECT_FALSE(store.exists());
    EXPECT_TRUE(store.open(false));
    auto race = store.race({{2001, 0, 1, 5}, 1});
    ASSERT_TRUE(race);
    EXPECT_TRUE(race->empty());
    auto day = store.day({2001, 0, 1, 5});
    ASSERT_TRUE(day);
    for (const auto& r : *day) EXPECT_TRUE(r.empty());
    int visited = 0;
    EXPECT_TRUE(store.scan({}, [&](const RaceKey&, const StoredRace&) { ++visited; }));
    EXPECT_EQ(visited, 0);
    auto days = store.days(2001, 0);
    ASSERT_TRUE(days);
    EXPECT_TRUE(days->empty());
    auto intents = store.intents();
    ASSERT_TRUE(intents);
    EXPECT_TRUE(intents->empty());
    EXPECT_EQ(*store.integrityCheck(), "ok");
    EXPECT_EQ(namesIn(dir.path()), before);
    if (withFolder) {
      EXPECT_TRUE(namesIn(dir.path() / "tovradatafile").empty());
    }
    // The first change creates the folder and the file.
    ASSERT_TRUE(store.setSpecial({{2001, 0, 1, 5}, 1}, 0, 70));
    EXPECT_TRUE(store.exists());
    EXPECT_TRUE(std::filesystem::is_regular_file(storeFile(dir.path())));
  }
}

TEST(BetStore, RemovalsWithoutAFileCreateNone) {
  const RaceKey k{{2001, 0, 1, 5}, 1};
  const StoreIntent intent{1, StoreIntent::Kind::DeleteDay, k.date, {}, 1, 0};
  struct Case {
    const char* name;
    std::function<Status(BetStore&)> change;
    bool refused;
  };
  const Case cases[] = {
      {"delete a line", [&](BetStore& s) { return s.deleteLine(k, 1); }, true},
      {"delete a winner", [&](BetStore& s) { return s.deleteWinner(k, 0, 1); }, true},
      {"clear a special payout", [&](BetStore& s) { return s.setSpecial(k, 0, std::nullopt); }, false},
      {"clear a result", [&](BetStore& s) { return s.clearResult(k, 2); }, false},
      {"clear the scratches", [&](BetStore& s) { return s.setScratch(k, {}, {}); }, false},
      {"apply an intent", [&](BetStore& s) { return s.applyIntent(intent); }, true},
      {"drop an intent", [&](BetStore& s) { return s.dropIntent(1); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunDir dir;
    std::filesystem::create_directories(dir.path() / "tovradatafile");
    BetStore store(dir.path());
    const Status s = c.change(store);
    EXPECT_EQ(s.refused(), c.refused);
    if (s.refused()) {
      EXPECT_EQ(s.refusal().text, "");
    }
    EXPECT_TRUE(namesIn(dir.path() / "tovradatafile").empty());
  }
}

TEST(BetStore, AnyNumberReadsBackAsWritten) {
  RunDir dir;
  BetStore store(dir.path());
  StoredLine l;
  l.sets = {std::vector<int>{-1, 0, 2147483647}, std::vector<int>{-2147483647 - 1}, std::vector<int>{}};
  l.places = {-5, 0};
  l.stake = 2147483647;
  l.points = -1;
  const RaceKey k{{-3, 0, 0, 0}, 12};
  auto id = store.addLine(k, l);
  ASSERT_TRUE(id);
  l.id = *id;
  const StoredWinner w{1, {0, -1, 99}, std::numeric_limits<std::int64_t>::max()};
  ASSERT_TRUE(store.addWinner(k, w));
  ASSERT_TRUE(store.setSpecial(k, 2, std::numeric_limits<std::int64_t>::min()));
  StoredRace expected;
  expected.lines = {l};
  expected.winners = {w};
  expected.special[2] = std::numeric_limits<std::int64_t>::min();
  EXPECT_EQ(*BetStore(dir.path()).race(k), expected);
}

TEST(BetStore, TheFolderIsMatchedWithoutRegardToCase) {
  RunDir dir;
  std::filesystem::create_directories(dir.path() / "Tovradatafile");
  BetStore store(dir.path());
  EXPECT_EQ(store.file(), dir.path() / "Tovradatafile" / "bets.sqlite");
  ASSERT_TRUE(store.setScratch({{2001, 0, 1, 5}, 1}, {3}, {}));
  EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"Tovradatafile"});
}

TEST(BetStore, AnEmptyFileReadsEmptyAndBecomesAStoreOnTheFirstChange) {
  RunDir dir;
  std::filesystem::create_directories(dir.path() / "tovradatafile");
  const auto file = storeFile(dir.path());
  writeBytes(file, {});
  {
    BetStore store(dir.path());
    EXPECT_TRUE(store.open(false));
    EXPECT_TRUE(store.race({{2001, 0, 1, 5}, 1}));
    EXPECT_EQ(std::filesystem::file_size(file), 0u);
    ASSERT_TRUE(store.setScratch({{2001, 0, 1, 5}, 1}, {3}, {}));
  }
  EXPECT_EQ(rawText(file, "SELECT version FROM schema_version"), "6");
  BetStore store(dir.path());
  EXPECT_EQ(store.race({{2001, 0, 1, 5}, 1})->scratched, std::vector<int>{3});
}

namespace {

// A store with rows, as the program writes them.
void writeAStore(const std::filesystem::path& root, int lines) {
  BetStore store(root);
  StoredLine l;
  l.sets = {std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}, {}, {}};
  for (int i = 0; i < lines; ++i) ASSERT_TRUE(store.addLine({{2001, i % 10, 1 + i % 12, 1 + i % 28}, 1 + i % 12}, l));
}

struct DamagedCase {
  const char* name;
  std::function<void(const std::filesystem::path& root)> make;
};

const std::vector<DamagedCase>& damagedCases() {
  static const std::vector<DamagedCase> cases = {
      {"random bytes",
       [](const std::filesystem::path& root) {
         std::mt19937 rng(7);
         std::vector<unsigned char> bytes(8192);
         for (auto& b : bytes) b = static_cast<unsigned char>(rng());
         writeBytes(storeFile(root), bytes);
       }},
      {"a text", [](const std::filesystem::path& root) { writeBytes(storeFile(root), bytesOf("bets\n")); }},
      {"a truncated store",
       [](const std::filesystem::path& root) {
         writeAStore(root, 400);
         const auto file = storeFile(root);
         std::filesystem::resize_file(file, std::filesystem::file_size(file) / 2);
       }},
      {"a newer schema",
       [](const std::filesystem::path& root) {
         writeAStore(root, 3);
         rawSql(storeFile(root), "UPDATE schema_version SET version = " + std::to_string(kBetStoreSchema + 1));
       }},
      {"no schema version",
       [](const std::filesystem::path& root) { rawSql(storeFile(root), "CREATE TABLE lines(x INTEGER)"); }},
      {"two schema versions",
       [](const std::filesystem::path& root) {
         writeAStore(root, 3);
         rawSql(storeFile(root), "INSERT INTO schema_version VALUES (1)");
       }},
      {"a horse list that is no list",
       [](const std::filesystem::path& root) {
         writeAStore(root, 3);
         rawSql(storeFile(root), "UPDATE lines SET set1 = '3,,x'");
       }},
  };
  return cases;
}

}  // namespace

TEST(BetStore, ADamagedFileIsRefusedNamingItAndLeftAsItIs) {
  for (const auto& c : damagedCases()) {
    for (bool create : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (create ? " (open to write)" : " (open to read)"));
      RunDir dir;
      std::filesystem::create_directories(dir.path() / "tovradatafile");
      c.make(dir.path());
      const auto file = storeFile(dir.path());
      const auto bytes = readBytes(file);
      const auto names = namesIn(dir.path() / "tovradatafile");
      BetStore store(dir.path());
      const std::string text = damagedText(file);
      // A horse list is only read with its race: the file opens, and the read is refused.
      const bool opens = std::string(c.name) == "a horse list that is no list";
      const Status opened = store.open(create);
      if (!opens) {
        ASSERT_TRUE(opened.refused());
        EXPECT_EQ(opened.refusal().icon, MsgIcon::Error);
        EXPECT_EQ(opened.refusal().text, text);
      }
      auto race = store.race({{2001, 0, 1, 1}, 1});
      ASSERT_TRUE(race.refused());
      EXPECT_EQ(race.refusal().text, text);
      // Kept: every later call ends with it, changes included.
      auto added = store.addLine({{2001, 0, 1, 1}, 1}, StoredLine{});
      ASSERT_TRUE(added.refused());
      EXPECT_EQ(added.refusal().text, text);
      EXPECT_TRUE(store.scan({}, [](const RaceKey&, const StoredRace&) {}).refused());
      EXPECT_TRUE(store.intents().refused());
      EXPECT_EQ(readBytes(file), bytes);
      EXPECT_EQ(namesIn(dir.path() / "tovradatafile"), names);
    }
  }
}

// Version 1 as it is on the disk, written without the store: the store reads it. When the
// schema grows, this file is what the migrations start from.
TEST(BetStore, AVersionOneFileReadsAndIsMigrated) {
  RunDir dir;
  std::filesystem::create_directories(dir.path() / "tovradatafile");
  const auto file = storeFile(dir.path());
  rawSql(file, R"sql(
CREATE TABLE schema_version(version INTEGER NOT NULL);
INSERT INTO schema_version VALUES (1);
CREATE TABLE lines(id INTEGER PRIMARY KEY, year INTEGER NOT NULL, course INTEGER NOT NULL, month INTEGER NOT NULL,
  day INTEGER NOT NULL, race INTEGER NOT NULL, type INTEGER NOT NULL, method INTEGER NOT NULL, set1 TEXT NOT NULL,
  set2 TEXT NOT NULL, set3 TEXT NOT NULL, multi INTEGER NOT NULL, place1 INTEGER NOT NULL, place2 INTEGER NOT NULL,
  stake INTEGER NOT NULL, points INTEGER NOT NULL);
CREATE TABLE winners(id INTEGER PRIMARY KEY, year INTEGER NOT NULL, course INTEGER NOT NULL, month INTEGER NOT NULL,
  day INTEGER NOT NULL, race INTEGER NOT NULL, type INTEGER NOT NULL, h1 INTEGER NOT NULL, h2 INTEGER NOT NULL,
  h3 INTEGER NOT NULL, payout INTEGER NOT NULL);
CREATE TABLE specials(year INTEGER NOT NULL, course INTEGER NOT NULL, month INTEGER NOT NULL, day INTEGER NOT NULL,
  race INTEGER NOT NULL, type INTEGER NOT NULL, payout INTEGER NOT NULL, PRIMARY KEY(year, course, month, day, race, type));
CREATE TABLE scratches(year INTEGER NOT NULL, course INTEGER NOT NULL, month INTEGER NOT NULL, day INTEGER NOT NULL,
  race INTEGER NOT NULL, horses TEXT NOT NULL, frames TEXT NOT NULL, PRIMARY KEY(year, course, month, day, race));
CREATE TABLE intents(id INTEGER PRIMARY KEY, kind INTEGER NOT NULL, year INTEGER NOT NULL, course INTEGER NOT NULL,
  month INTEGER NOT NULL, day INTEGER NOT NULL, new_year INTEGER NOT NULL, new_course INTEGER NOT NULL,
  new_month INTEGER NOT NULL, new_day INTEGER NOT NULL, from_count INTEGER NOT NULL, to_count INTEGER NOT NULL);
INSERT INTO lines VALUES (7, 2012, 3, 8, 4, 5, 2, 1, '1,4,9,13', '', '', 0, 1, 2, 3, 24);
INSERT INTO winners VALUES (1, 2012, 3, 8, 4, 5, 2, 9, 4, 13, 29832950);
INSERT INTO winners VALUES (2, 2012, 3, 8, 4, 5, 2, 9, 13, 4, 14916520);
INSERT INTO specials VALUES (2012, 3, 8, 4, 5, 0, 70);
INSERT INTO scratches VALUES (2012, 3, 8, 4, 5, '2,11', '1');
INSERT INTO intents VALUES (3, 1, 2012, 3, 8, 4, 2012, 3, 8, 5, 1, 0);
)sql");
  BetStore store(dir.path());
  ASSERT_TRUE(store.open(false));
  StoredRace expected;
  StoredLine l;
  l.id = 7;
  l.type = 2;
  l.method = 1;
  l.sets = {std::vector<int>{1, 4, 9, 13}, {}, {}};
  l.places = {1, 2};
  l.stake = 3;
  l.points = 24;
  expected.lines = {l};
  expected.winners = {{2, {9, 4, 13}, 29832950}, {2, {9, 13, 4}, 14916520}};
  expected.special[0] = 70;
  expected.scratched = {2, 11};
  expected.refundedFrames = {1};
  EXPECT_EQ(*store.race({{2012, 3, 8, 4}, 5}), expected);
  const std::vector<StoreIntent> intents{{3, StoreIntent::Kind::MoveDay, {2012, 3, 8, 4}, {2012, 3, 8, 5}, 1, 0}};
  EXPECT_EQ(*store.intents(), intents);
  EXPECT_EQ(rawText(file, "SELECT max(version) FROM schema_version"), std::to_string(kBetStoreSchema));
  // Version 2 keeps figures per day: the day that has rows is stale until they are kept.
  const auto stale = store.staleDays();
  ASSERT_TRUE(stale);
  EXPECT_EQ(*stale, (std::vector<DateKey>{{2012, 3, 8, 4}}));
  // Changes go on after the rows that are there.
  auto id = store.addLine({{2012, 3, 8, 4}, 5}, l);
  ASSERT_TRUE(id);
  EXPECT_GT(*id, 7);
}

namespace {

struct IntentCase {
  const char* name;
  StoreIntent::Kind kind;
  DateKey from, to;
};

// Rows on the day, on the day it moves to, and on every neighbour that must stay as it is:
// the same date at another course and in another year, the next day, another month.
std::vector<RaceKey> intentKeys() {
  std::vector<RaceKey> keys;
  for (DateKey d : {DateKey{2012, 3, 8, 4}, DateKey{2012, 3, 8, 5}, DateKey{2012, 4, 8, 4}, DateKey{2011, 3, 8, 4},
                    DateKey{2012, 3, 9, 4}, DateKey{2013, 0, 1, 5}})
    for (int race : {1, 5, 12}) keys.push_back({d, race});
  return keys;
}

Model applied(const Model& m, const StoreIntent& i) {
  Model out;
  if (i.kind == StoreIntent::Kind::MoveDay && i.from != i.to) {
    // The new date keeps its lines; everything else of it is replaced by the moved day's.
    for (const auto& [k, r] : m) {
      if (k.date == i.from) continue;
      if (k.date != i.to) {
        out[k] = r;
      } else if (!r.lines.empty()) {
        out[k].lines = r.lines;
      }
    }
    for (const auto& [k, r] : m) {
      if (k.date != i.from) continue;
      StoredRace& t = out[{i.to, k.race}];
      std::vector<StoredLine> lines = t.lines;
      lines.insert(lines.end(), r.lines.begin(), r.lines.end());
      std::sort(lines.begin(), lines.end(), [](const StoredLine& a, const StoredLine& b) { return a.id < b.id; });
      t = r;
      t.lines = lines;
    }
    return out;
  }
  for (const auto& [k, r] : m) {
    switch (i.kind) {
      case StoreIntent::Kind::MoveDay:
        out[k] = r;  // onto itself
        break;
      case StoreIntent::Kind::DeleteDay:
        if (k.date != i.from) out[k] = r;
        break;
      case StoreIntent::Kind::DeleteYear:
        if (k.date.year != i.from.year) out[k] = r;
        break;
      case StoreIntent::Kind::Import:  // import_bets_test
        out[k] = r;
        break;
    }
  }
  return out;
}

const std::vector<IntentCase> kIntentCases = {
    {"move to a day with rows", StoreIntent::Kind::MoveDay, {2012, 3, 8, 4}, {2012, 3, 8, 5}},
    {"move to an empty day", StoreIntent::Kind::MoveDay, {2012, 3, 8, 4}, {2012, 3, 12, 20}},
    {"move onto itself", StoreIntent::Kind::MoveDay, {2012, 3, 8, 4}, {2012, 3, 8, 4}},
    {"move a day without rows", StoreIntent::Kind::MoveDay, {2012, 3, 7, 1}, {2012, 3, 8, 5}},
    {"delete a day", StoreIntent::Kind::DeleteDay, {2012, 3, 8, 4}, {}},
    {"delete a year", StoreIntent::Kind::DeleteYear, {2012, 0, 0, 0}, {}},
};

}  // namespace

TEST(BetStore, AnIntentMovesOrRemovesExactlyTheRowsOfItsDay) {
  for (const auto& c : kIntentCases) {
    SCOPED_TRACE(c.name);
    RunDir dir;
    BetStore store(dir.path());
    const Model before = fill(store, 11, intentKeys(), 160);
    StoreIntent intent{0, c.kind, c.from, c.to, 2, 1};
    auto begun = store.beginIntent(intent);
    ASSERT_TRUE(begun);
    EXPECT_GT(begun->id, 0);
    intent.id = begun->id;
    EXPECT_EQ(*begun, intent);
    EXPECT_EQ(*store.intents(), std::vector<StoreIntent>{intent});
    EXPECT_EQ(contents(store), before);
    ASSERT_TRUE(store.applyIntent(intent));
    const Model after = applied(before, intent);
    EXPECT_EQ(contents(store), after);
    EXPECT_TRUE(store.intents()->empty());
    // Applied once: again it is refused and nothing moves.
    const Status again = store.applyIntent(intent);
    ASSERT_TRUE(again.refused());
    EXPECT_EQ(again.refusal().text, "");
    EXPECT_EQ(contents(store), after);
  }
}

TEST(BetStore, IntentsAreListedOldestFirstAndDroppedAlone) {
  RunDir dir;
  BetStore store(dir.path());
  const Model before = fill(store, 12, intentKeys(), 40);
  std::vector<StoreIntent> begun;
  for (const auto& c : kIntentCases) {
    auto i = store.beginIntent({0, c.kind, c.from, c.to, 3, 0});
    ASSERT_TRUE(i);
    begun.push_back(*i);
  }
  EXPECT_EQ(*store.intents(), begun);
  ASSERT_TRUE(store.dropIntent(begun[1].id));
  begun.erase(begun.begin() + 1);
  EXPECT_EQ(*BetStore(dir.path()).intents(), begun);
  EXPECT_EQ(contents(store), before);
}

TEST(BetStore, ScanVisitsTheYearsAskedInKeyOrder) {
  RunDir dir;
  BetStore store(dir.path());
  const Model all = fill(store, 13, someKeys(), 200);
  EXPECT_EQ(contents(store), all);
  for (const std::vector<int>& years :
       {std::vector<int>{2012}, std::vector<int>{2012, 2003, 2012}, std::vector<int>{1999}}) {
    Model expected, seen;
    for (const auto& [k, r] : all)
      if (std::find(years.begin(), years.end(), k.date.year) != years.end()) expected[k] = r;
    std::vector<RaceKey> order;
    ASSERT_TRUE(store.scan(years, [&](const RaceKey& k, const StoredRace& r) {
      order.push_back(k);
      seen[k] = r;
    }));
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
    EXPECT_EQ(order.size(), expected.size());
  }
}

TEST(BetStore, OtherFilesOfTheLedgerAreNeverTouched) {
  RunDir dir;
  std::filesystem::create_directories(dir.path() / "tovradatafile" / "sap");
  writeBytes(dir.path() / "tovradatafile" / "sap" / "2001sap.dat", bytesOf("meetings"));
  writeBytes(dir.path() / "tovradatafile" / "2001.tovra-new", bytesOf("staged"));
  writeBytes(dir.path() / "main.dat", bytesOf("years"));
  BetStore store(dir.path());
  fill(store, 14, intentKeys(), 50);
  auto i = store.beginIntent({0, StoreIntent::Kind::DeleteYear, {2012, 0, 0, 0}, {}, 0, 0});
  ASSERT_TRUE(i);
  ASSERT_TRUE(store.applyIntent(*i));
  EXPECT_EQ(readBytes(dir.path() / "tovradatafile" / "sap" / "2001sap.dat"), bytesOf("meetings"));
  EXPECT_EQ(readBytes(dir.path() / "tovradatafile" / "2001.tovra-new"), bytesOf("staged"));
  EXPECT_EQ(readBytes(dir.path() / "main.dat"), bytesOf("years"));
  EXPECT_EQ(namesIn(dir.path() / "tovradatafile"), (std::set<std::string>{"2001.tovra-new", "bets.sqlite", "sap"}));
}

namespace {

// What a store folder holds, read through a new connection without the failing VFS.
struct Snapshot {
  Model rows;
  std::vector<StoreIntent> intents;
  bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const std::filesystem::path& root) {
  BetStore store(root);
  Snapshot s{contents(store), {}};
  auto intents = store.intents();
  EXPECT_TRUE(intents);
  if (intents) s.intents = *intents;
  auto check = store.integrityCheck();
  EXPECT_TRUE(check);
  if (check) {
    EXPECT_EQ(*check, "ok");
  }
  return s;
}

// Runs `change` on a copy of `base` once for every I/O step it takes, failing that step
// (and with `andLater` every step after it). A refused change leaves `before`, one that
// went through leaves `after`; returns how many steps failed.
long failEveryStep(const std::filesystem::path& base, bool andLater, const Snapshot& before, const Snapshot& after,
                   const std::function<Status(BetStore&)>& change) {
  long n = 1;
  for (;; ++n) {
    SCOPED_TRACE("I/O step " + std::to_string(n) + (andLater ? " and later" : ""));
    RunDir run(base);
    Status result = Done{};
    bool failed = false;
    {
      BetStore store(run.path(), failingVfs());
      armFailingVfs(n, andLater);
      result = change(store);
      failed = failingVfsFailed();
      disarmFailingVfs();
    }
    if (failed) {
      EXPECT_FALSE(result) << "a failed step reported as success";
      if (result.refused()) {
        const auto file = storeFile(run.path());
        EXPECT_EQ(result.refusal().text, writeFailedText(file));
      }
    }
    const Snapshot now = snapshot(run.path());
    if (result) {
      EXPECT_EQ(now, after);
    } else {
      EXPECT_EQ(now, before);
    }
    if (!failed) break;
    if (n > 200) {
      ADD_FAILURE() << "no end of I/O steps";
      break;
    }
  }
  return n - 1;
}

}  // namespace

TEST(BetStore, AFailureAtEveryStepOfAddingALineLeavesTheStoreAsBefore) {
  const RaceKey key{{2012, 3, 8, 4}, 5};
  StoredLine line;
  line.type = 2;
  line.sets = {std::vector<int>{1, 2}, std::vector<int>{3}, std::vector<int>{4, 5}};
  line.stake = 2;
  line.points = 4;
  for (bool existing : {false, true}) {
    SCOPED_TRACE(existing ? "to a store with rows" : "to a ledger without a store");
    RunDir base;
    std::filesystem::create_directories(base.path() / "tovradatafile");
    if (existing) {
      BetStore store(base.path());
      fill(store, 15, intentKeys(), 60);
    }
    const Snapshot before = snapshot(base.path());
    Snapshot after;
    {
      RunDir run(base.path());
      BetStore store(run.path());
      ASSERT_TRUE(store.addLine(key, line));
      after = snapshot(run.path());
    }
    ASSERT_NE(before, after);
    for (bool andLater : {false, true}) {
      const long steps = failEveryStep(base.path(), andLater, before, after, [&](BetStore& s) -> Status {
        auto id = s.addLine(key, line);
        if (!id) return id.refusal();
        return Done{};
      });
      EXPECT_GE(steps, 3);  // the journal, the file, the commit at least
    }
    if (!existing) {
      // A store that could not be created is not left behind as an empty file.
      RunDir run(base.path());
      {
        BetStore store(run.path(), failingVfs());
        armFailingVfs(1, true);
        EXPECT_FALSE(store.addLine(key, line));
        disarmFailingVfs();
      }
      EXPECT_TRUE(namesIn(run.path() / "tovradatafile").empty());
    }
  }
}

TEST(BetStore, AFailureAtEveryStepOfAnIntentLeavesTheDayAsBeforeOrAsAfter) {
  for (const auto& c : kIntentCases) {
    SCOPED_TRACE(c.name);
    RunDir base;
    StoreIntent intent{0, c.kind, c.from, c.to, 1, 1};
    {
      BetStore store(base.path());
      fill(store, 16, intentKeys(), 80);
      auto begun = store.beginIntent(intent);
      ASSERT_TRUE(begun);
      intent = *begun;
    }
    const Snapshot before = snapshot(base.path());
    const Snapshot after{applied(before.rows, intent), {}};
    for (bool andLater : {false, true})
      EXPECT_GE(failEveryStep(base.path(), andLater, before, after, [&](BetStore& s) { return s.applyIntent(intent); }),
                3);
  }
}

TEST(BetStore, AFailedChangeLeavesTheStoreUsable) {
  RunDir dir;
  BetStore store(dir.path(), failingVfs());
  ASSERT_TRUE(store.setSpecial({{2012, 3, 8, 4}, 5}, 2, 70));
  armFailingVfs(2);
  const Status s = store.setScratch({{2012, 3, 8, 4}, 5}, {1}, {});
  EXPECT_TRUE(failingVfsFailed());
  disarmFailingVfs();
  ASSERT_TRUE(s.refused());
  EXPECT_EQ(s.refusal().text, writeFailedText(store.file()));
  // The next change opens the file again and goes through.
  ASSERT_TRUE(store.setScratch({{2012, 3, 8, 4}, 5}, {2}, {}));
  auto race = store.race({{2012, 3, 8, 4}, 5});
  ASSERT_TRUE(race);
  EXPECT_EQ(race->scratched, std::vector<int>{2});
  EXPECT_EQ(race->special[2], std::optional<std::int64_t>(70));
}
