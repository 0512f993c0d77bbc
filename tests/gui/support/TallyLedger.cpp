#include "support/TallyLedger.h"

namespace tovra::test {

TallyLedger::TallyLedger() {
  registerYears({2001, 2000});
  KaisaiRecord tokyo = day(6, 1, 3, 1);
  setRace(tokyo, 0, 2, "ﾃｽﾄ1", 10000, -2500);
  setRace(tokyo, 1, 12, "ﾃｽﾄ2", 4000, 6000);
  RaceBlock races{};
  races[0].koumoku = 20221111;  // 3歳 未勝利 ﾏｰｸなし 牡牝戦 馬齢 芝 良
  races[0].kyori = 1600;
  races[0].tanUma[0] = 3;
  races[0].tanGaku[0] = 10000;
  races[0].tanGoukei = 10000;
  races[1].tanUma[0] = 5;
  races[1].tanGaku[0] = 4000;
  races[1].tanGoukei = 4000;
  races[1].tanKeka[0] = 105;  // horse 5, hit
  races[1].tanHaitou[0] = 250;
  writeDay(2001, kTallyTokyo, tokyo, races);
  KaisaiRecord old = day(6, 11, 2, 4);
  setRace(old, 0, 12, "ﾑｶｼ", 5000, 2500);
  writeDay(2000, kTallyTokyo, old, RaceBlock{});
  KaisaiRecord sapporo = day(8, 5, 1, 1);
  setRace(sapporo, 0, 2, "ｻｯﾎﾟﾛ", 2000, -2000);
  writeDay(2001, 0, sapporo, RaceBlock{});
  SettingsRecord s = SettingsRecord::defaults();
  s.startCourse = kTallyTokyo;
  writeSettings(s);
  main_ = std::make_unique<MainWindow>(app(), 0);
  if (!main_->startUp()) qFatal("the main window did not start");
}

TallyLedger::~TallyLedger() { main_.reset(); }

}  // namespace tovra::test
