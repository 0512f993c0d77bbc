// Writes the seed corpus of each fuzz target from the files the tests build:
// make_seeds DIR writes DIR/jravan, DIR/jvdata, DIR/pat, DIR/nifty, DIR/lha and DIR/ipat.
#include <filesystem>
#include <fstream>
#include <string>

#include "core/support/import_builders.hpp"
#include "core/support/jvdata_builders.hpp"
#include "core/support/ipat_csv_builder.hpp"
#include "core/support/lzh_builder.hpp"

using namespace tovra::importtest;

namespace {

void put(const std::filesystem::path& dir, const std::string& name, const std::vector<std::uint8_t>& bytes) {
  std::filesystem::create_directories(dir);
  std::ofstream(dir / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The JRA-VAN and PAT targets take the file's kind from a first byte.
std::vector<std::uint8_t> with(int selector, std::vector<std::uint8_t> bytes) {
  bytes.insert(bytes.begin(), static_cast<std::uint8_t>(selector));
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::filesystem::path out = argv[1];
  // Selector bits: 1 成績, 2 newer layout.
  put(out / "jravan", "new-result", with(3, jvNewResultJapanCup().bytes()));
  put(out / "jravan", "new-card", with(2, jvNewCardJapanCup().bytes()));
  put(out / "jravan", "old-card",
      with(0, jvOldCard(5, 5, 8, 11, kJcName, 13, 'N', '0', '4', 999, 86, 2400, 11, 'A').bytes()));
  Rec oldResult = jvOldResult(5, 5, 8, 11, kJcName, 13, 'N', '0', '4', 999, 18, 2400, 11, 'A', 1);
  oldResult.num(18 + 157, 2, 1).num(18 + 159, 7, 140).num(18 + 256, 4, 108).num(18 + 260, 8, 590);
  put(out / "jravan", "old-result", with(1, oldResult.bytes()));
  for (int kind = 0; kind < 4; ++kind) {
    const std::string k = std::to_string(kind);
    // Selector: the kind, plus 4 × the file (0 index, 1 purchases, 2 results, 3 entries).
    put(out / "pat", "index" + k, with(kind, patIndex(kind, {{kind == 0 ? "PT112501" : "P0001", "2018", 1125}})));
    put(out / "pat", "purchases" + k,
        with(4 + kind,
             patPurchases(kind, {{5, 11, 1, 1, 10}, {5, 11, 3, 105, 2}, {5, 11, 4, 108, 5}, {5, 11, 5, 111, 3}})));
  }
  put(out / "pat", "result2", with(8 + 2, patResultJapanCup(2)));
  put(out / "pat", "result3", with(8 + 3, patResultJapanCup(3)));
  put(out / "pat", "entries", with(12 + 3, patEntriesJapanCup()));
  put(out / "pat", "entries-fullwidth", with(12 + 1, patEntriesJapanCup(true)));
  put(out / "nifty", "japancup", niftyFile({niftyJapanCup()}));
  NiftyRace refund = niftyJapanCup();
  refund.uma = {{fw("返　還　　"), fwPay(0)}};
  refund.race = 10;
  refund.finishers.resize(3);
  put(out / "nifty", "two-races", niftyFile({refund, niftyJapanCup()}));
  put(out / "lha", "members",
      lzhArchive({{"jra1125.dat", jvNewCardJapanCup().bytes()}, {"sub\\readme.txt", {'h', 'i'}}}));
  {
    namespace jt = tovra::jvtest;
    jt::Rec hr = jt::hrRecord(11);
    hr.put(41, "000000001").put(59, "0000100000000000000000000000").put(87, "00100000");
    hr.put(103, "0500000014001").put(116, "0300000021002").put(454, "0503000000600002");
    hr.put(550, "110503000000900003").put(604, "0503110000012000001");
    jt::Rec se = jt::seRecord(11, 3, 5, 1);
    se.put(337, "1").put(339, "2206");
    jt::Rec wf("WF", 7215);
    wf.put(12, "20181125").put(22, "0505081105050810").put(167, "0102030405000001000");
    put(out / "jvdata", "day", jt::jvFile({jt::raRecord(11), se, jt::seRecord(11, 2, 3, 1, 547), jt::seRecord(11, 1, 1, 3), hr,
                                       jt::hrRecord(4, '9'), jt::hrRecord(7, '0'), jt::Rec("O1", 962), wf}));
    put(out / "jvdata", "ra", jt::raRecord(1).b);
    put(out / "jvdata", "hr", hr.b);
    put(out / "jvdata", "wf", wf.b);
  }
  put(out / "lha", "unsafe", lzhArchive({{"..\\main.dat", {0}}}));
  {
    using namespace tovra::ipattest;
    const std::string day = niigataExample();
    put(out / "ipat", "niigata", {day.begin(), day.end()});
    put(out / "ipat", "every-method",
        csvVector({"20220730,0001,01,新潟,土,1,単勝,08,100,的中08,250,250",
                   "20220730,0001,02,新潟,土,1,枠連ながし,3／1；3；8,100／300,―,―,0",
                   "20220730,0001,03,新潟,土,2,馬連ＢＯＸ,04；07；11,100／300,返還,―,300",
                   "20220730,0001,04,新潟,土,2,ワイドフォーメーション,01；02／01；02；03,100／300,―,―,0",
                   "20220730,0001,05,新潟,土,3,馬単1着ながしマルチ,08／01；03,100／400,―,―,0",
                   "20220730,0001,06,新潟,土,3,3連複軸2頭ながし,03；08／01；05,100／200,―,―,0",
                   "20220730,0001,07,新潟,土,4,3連単1・3着ながし,03；08／01；05,100／200,―,―,0",
                   "20220730,0001,08,新潟,土,4,3連単フォーメーション,01；02／01；02；03／05；06,100／800,―,―,0",
                   "20220731,0002,01,,,,ＷＩＮ５,01；02／03／04／05；06；07／08,100／600,―,―,0"},
                  3200));
  }
  return 0;
}
