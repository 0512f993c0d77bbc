#include "support/RaceLedger.h"

#include "domain/settlement.hpp"
#include "storage/text.hpp"

namespace tovra::test {

RaceLedger::RaceLedger(int year, int course) : cursor_(root()) {
  registerYears({year});
  app().ds.loadYears();
  app().ds.year = std::to_string(year);
  LedgerCursor& d = ds();
  d.loadYears();
  d.year = std::to_string(year);
  d.countMeetings();
  d.course = course;
}

SettingsRecord& RaceLedger::settings() { return app().settings; }

void RaceLedger::addMeeting(KaisaiRecord k, RaceBlock races) {
  LedgerCursor& d = ds();
  settleAllRaces(k, races);
  testing::appendMeeting(d, d.course, k, races);
  d.shownMeeting[d.course] = d.meetingCount[d.course] - 1;
  d.readShown();
}

void RaceLedger::reread(KaisaiRecord& k, RaceBlock& races) {
  LedgerCursor fresh(root());
  fresh.year = ds().year;
  fresh.course = ds().course;
  fresh.shownMeeting[fresh.course] = ds().shown();
  fresh.readShown();
  k = fresh.kaisai;
  races = fresh.races;
}

namespace {
template <std::size_t N>
void put(char (&buf)[N], const char* utf8) {
  setFixedText(buf, sj(utf8));
}
}  // namespace

RaceRecord fullRace() {
  RaceRecord r;
  r.koumoku = 30951311;  // 3歳上, ＧⅠ, 国際, no sex condition, 定量, 芝, 良
  r.kyori = 2500;
  r.tanUma[0] = 5;
  r.tanGaku[0] = 3000;
  r.tanUma[1] = 12;
  r.tanGaku[1] = 1000;
  r.fukuUma[0] = 5;
  r.fukuGaku[0] = 5000;
  r.wakuKumi[0] = 36;
  r.wakuGaku[0] = 2000;
  r.wakuKumi[1] = 38;
  r.wakuGaku[1] = 1000;
  const std::uint16_t uma[4] = {512, 105, 309, 1216};
  for (int i = 0; i < 4; ++i) {
    r.umaKumi[i] = uma[i];
    r.umaGaku[i] = 1000;
  }
  r.wideKumi[0] = 512;
  r.wideGaku[0] = 3000;
  r.wideKumi[1] = 309;
  r.wideGaku[1] = 1000;

  // A dead heat for the win: 5 and 12.
  r.tanKeka[0] = 5;
  r.tanHaitou[0] = 320;
  r.tanKeka[1] = 12;
  r.tanHaitou[1] = 1450;
  const std::uint16_t fuku[4] = {5, 12, 3, 9};
  const std::int32_t fukuPay[4] = {140, 290, 180, 350};
  for (int i = 0; i < 4; ++i) {
    r.fukuKeka[i] = fuku[i];
    r.fukuHaitou[i] = fukuPay[i];
  }
  r.wakuKeka[0] = 36;
  r.wakuHaitou[0] = 980;
  r.umaKeka[0] = 512;
  r.umaHaitou[0] = 4230;
  const std::uint16_t wide[4] = {512, 305, 312, 309};
  const std::int32_t widePay[4] = {1280, 410, 1990, 760};
  for (int i = 0; i < 4; ++i) {
    r.wideKeka[i] = wide[i];
    r.wideHaitou[i] = widePay[i];
  }

  const char* names[5] = {"ｼﾝﾎﾞﾘｸﾘｽｴｽ", "ｸﾞﾗｽﾜﾝﾀﾞｰｸﾞﾗｽﾜﾝﾀﾞｰｸﾞﾗｽﾜ", "ﾄｳｶｲﾃｲｵｰ", "ｵｸﾞﾘｷｬｯﾌﾟ", "ﾒｼﾞﾛﾏｯｸｲｰﾝ"};
  const char* texts[5] = {"2.32.6", "同着", "1/2", "ｸﾋﾞ", "1 1/4"};
  const std::uint16_t chaku[5] = {5, 12, 3, 9, 1};
  for (int p = 0; p < 5; ++p) {
    r.chakuUma[p] = chaku[p];
    put(r.chakuBamei[p], names[p]);
    put(r.chakuText[p], texts[p]);
  }

  const char* horses[16] = {"ﾒｼﾞﾛﾏｯｸｲｰﾝ", "ﾀﾏﾓｸﾛｽ",  "ﾄｳｶｲﾃｲｵｰ",  "ﾋﾞﾜﾊﾔﾋﾃﾞ",   "ｼﾝﾎﾞﾘｸﾘｽｴｽ",  "ﾅﾘﾀﾌﾞﾗｲｱﾝ",
                            "ﾏﾔﾉﾄｯﾌﾟｶﾞﾝ", "ｻｸﾗﾛｰﾚﾙ", "ｵｸﾞﾘｷｬｯﾌﾟ", "ｽﾍﾟｼｬﾙｳｨｰｸ", "ｴﾙｺﾝﾄﾞﾙﾊﾟｻｰ", "ｸﾞﾗｽﾜﾝﾀﾞｰ",
                            "ﾃｲｴﾑｵﾍﾟﾗｵｰ", "ﾗｲｽｼｬﾜｰ", "ﾒｲｼｮｳﾄﾞﾄｳ", "ﾏﾝﾊｯﾀﾝｶﾌｪ"};
  const char* jockeys[8] = {"武豊", "岡部幸雄", "的場均", "横山典弘", "蛯名正義", "河内洋", "田原成貴", "柴田政人"};
  for (int j = 0; j < 16; ++j) {
    r.shutsubaWaku[j] = static_cast<std::uint16_t>(j / 2 + 1);
    put(r.shutsubaBamei[j], horses[j]);
    put(r.shutsubaKishu[j], jockeys[j % 8]);
    // Older cards carry whole kilograms, newer ones tenths.
    r.shutsubaKinryo[j] = static_cast<std::uint16_t>(j % 3 == 0 ? 57 : 555 + (j % 2) * 10);
  }
  put(r.comento, "逃げ馬不在で平均ペース。直線の叩き合いは同着、写真判定に約十分。");
  return r;
}

}  // namespace tovra::test
