// Golden layout tests of the ledger records: sizes and the bytes at named offsets.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <stdexcept>
#include <vector>

#include "domain/bet_types.hpp"
#include "storage/bytes.hpp"
#include "storage/records.hpp"
#include "storage/text.hpp"

using namespace tovra;

namespace {
std::vector<std::uint8_t> enc(const RaceRecord& r) {
  std::vector<std::uint8_t> b(RaceRecord::kSize, 0xEE);
  r.encode(b.data());
  return b;
}
std::uint16_t u16(const std::vector<std::uint8_t>& b, std::size_t off) { return bytes::getU16(b.data(), off); }
std::int32_t i32(const std::vector<std::uint8_t>& b, std::size_t off) { return bytes::getI32(b.data(), off); }
}  // namespace

TEST(KaisaiRecordLayout, FieldsAtTheirOffsets) {
  KaisaiRecord k;
  k.tsukiHi = 1203;
  k.kaiNichi = 308;
  k.kounyuGaku[0] = 1000;
  k.kounyuGaku[12] = -7;
  k.shushi[0] = 2200;
  k.shushi[12] = 0x12345678;
  k.raceJoutai[0] = 12;
  k.raceJoutai[11] = 1;
  setFixedText(k.raceMei[0], sj("有馬記念"));
  setFixedText(k.raceMei[11], "LAST");
  std::vector<std::uint8_t> b(KaisaiRecord::kSize, 0xEE);
  k.encode(b.data());
  EXPECT_EQ(b[0], 1203 & 0xFF);
  EXPECT_EQ(b[1], 1203 >> 8);
  EXPECT_EQ(u16(b, 2), 308);
  EXPECT_EQ(i32(b, 4), 1000);
  EXPECT_EQ(i32(b, 4 + 12 * 4), -7);
  EXPECT_EQ(i32(b, 56), 2200);
  EXPECT_EQ(b[56 + 48], 0x78);  // little-endian
  EXPECT_EQ(b[56 + 51], 0x12);
  EXPECT_EQ(u16(b, 108), 12);
  EXPECT_EQ(u16(b, 108 + 22), 1);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(&b[132])), sj("有馬記念"));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(&b[132 + 11 * 61])), "LAST");
  EXPECT_EQ(132 + 12 * 61, 864);
}

TEST(RaceRecordLayout, EveryFieldAtItsOffset) {
  RaceRecord r;
  r.koumoku = 20221111;
  r.kyori = 1600;
  r.tanUma[0] = 5;
  r.tanGaku[4] = 900;
  r.tanGoukei = 901;
  r.fukuUma[4] = 18;
  r.fukuGaku[0] = 300;
  r.fukuGoukei = 301;
  r.wakuKumi[15] = 88;
  r.wakuGaku[15] = 1600;
  r.wakuGoukei = 1601;
  r.umaKumi[49] = 1718;
  r.umaGaku[49] = 5000;
  r.umaGoukei = 5001;
  r.wideKumi[19] = 1217;
  r.wideGaku[19] = 2000;
  r.wideGoukei = 2001;
  r.tanKeka[1] = 105;
  r.tanHaitou[1] = 320;
  r.fukuKeka[3] = 7;
  r.fukuHaitou[3] = 110;
  r.wakuKeka[1] = 144;
  r.wakuHaitou[1] = 1230;
  r.umaKeka[1] = 10312;
  r.umaHaitou[1] = 4560;
  r.wideKeka[5] = 1618;
  r.wideHaitou[5] = 7890;
  r.chakuUma[4] = 9;
  setFixedText(r.chakuBamei[4], sj("ｵｸﾞﾘｷｬｯﾌﾟ"));
  setFixedText(r.chakuText[4], sj("ｸﾋﾞ"));
  r.shutsubaWaku[17] = 8;
  setFixedText(r.shutsubaBamei[17], "B18");
  setFixedText(r.shutsubaKishu[17], "K18");
  r.shutsubaKinryo[17] = 575;
  setFixedText(r.comento, "C");
  auto b = enc(r);
  namespace o = race_off;
  EXPECT_EQ(bytes::getU32(b.data(), 0), 20221111u);
  EXPECT_EQ(u16(b, 4), 1600);
  EXPECT_EQ(u16(b, o::tanUma), 5);
  EXPECT_EQ(i32(b, 16 + 16), 900);
  EXPECT_EQ(i32(b, 36), 901);
  EXPECT_EQ(u16(b, 40 + 8), 18);
  EXPECT_EQ(u16(b, 50), 0);  // padding stays zero
  EXPECT_EQ(i32(b, 52), 300);
  EXPECT_EQ(i32(b, 72), 301);
  EXPECT_EQ(u16(b, 76 + 30), 88);
  EXPECT_EQ(i32(b, 108 + 60), 1600);
  EXPECT_EQ(i32(b, 172), 1601);
  EXPECT_EQ(u16(b, 176 + 98), 1718);
  EXPECT_EQ(i32(b, 276 + 196), 5000);
  EXPECT_EQ(i32(b, 476), 5001);
  EXPECT_EQ(u16(b, 480 + 38), 1217);
  EXPECT_EQ(i32(b, 520 + 76), 2000);
  EXPECT_EQ(i32(b, 600), 2001);
  EXPECT_EQ(u16(b, 604 + 2), 105);
  EXPECT_EQ(i32(b, 608 + 4), 320);
  EXPECT_EQ(u16(b, 616 + 6), 7);
  EXPECT_EQ(i32(b, 624 + 12), 110);
  EXPECT_EQ(u16(b, 640 + 2), 144);
  EXPECT_EQ(i32(b, 644 + 4), 1230);
  EXPECT_EQ(u16(b, 652 + 2), 10312);
  EXPECT_EQ(i32(b, 656 + 4), 4560);
  EXPECT_EQ(u16(b, 664 + 10), 1618);
  EXPECT_EQ(i32(b, 676 + 20), 7890);
  EXPECT_EQ(u16(b, 700 + 8), 9);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(&b[710 + 4 * 25])), sj("ｵｸﾞﾘｷｬｯﾌﾟ"));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(&b[835 + 4 * 10])), sj("ｸﾋﾞ"));
  EXPECT_EQ(b[885], 0);
  EXPECT_EQ(u16(b, 886 + 34), 8);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(&b[922 + 17 * 25])), "B18");
  EXPECT_EQ(std::string(reinterpret_cast<char*>(&b[1372 + 17 * 20])), "K18");
  EXPECT_EQ(u16(b, 1732 + 34), 575);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(&b[1768])), "C");
  EXPECT_EQ(b[1891], 0);
}

TEST(RecordLayout, ForeignBytesRoundTripUnchanged) {
  // Files from other programs may carry anything, also after the NUL of a text field
  // and in the padding bytes: decoding and encoding again must keep every byte.
  std::mt19937 rng(42);
  for (int round = 0; round < 50; ++round) {
    std::vector<std::uint8_t> in(RaceRecord::kSize);
    for (auto& b : in) b = static_cast<std::uint8_t>(rng());
    RaceRecord r;
    r.decode(in.data());
    std::vector<std::uint8_t> out(RaceRecord::kSize);
    r.encode(out.data());
    ASSERT_EQ(in, out);

    std::vector<std::uint8_t> kin(KaisaiRecord::kSize);
    for (auto& b : kin) b = static_cast<std::uint8_t>(rng());
    KaisaiRecord k;
    k.decode(kin.data());
    std::vector<std::uint8_t> kout(KaisaiRecord::kSize);
    k.encode(kout.data());
    ASSERT_EQ(kin, kout);
  }
}

// One field of each kind, listed once for both directions as a record lists its fields.
struct EachKind {
  std::uint8_t u8 = 0;
  std::uint16_t u16 = 0;
  std::uint32_t u32 = 0;
  std::int32_t i32 = 0;
  std::uint16_t u16s[2] = {};
  std::int32_t i32s[2] = {};
  char text[3] = {};
};
template <class Io, class R>
void eachKindFields(Io io, R& r) {
  io(1, r.u8);
  io(2, r.u16);
  io(4, r.u32);
  io(8, r.i32);
  io(12, r.u16s);
  io(16, r.i32s);
  io.raw(24, r.text);
}

TEST(FieldCodec, EachKindLittleEndianAtItsOffsetAndBack) {
  EachKind k;
  k.u8 = 0x9A;
  k.u16 = 0x1234;
  k.u32 = 0xA1B2C3D4;
  k.i32 = -2;
  k.u16s[0] = 0x0102;
  k.u16s[1] = 0xFFFE;
  k.i32s[0] = 0x01020304;
  k.i32s[1] = -0x01020304;
  std::memcpy(k.text, "A\0Z", 3);  // bytes after a NUL are kept
  std::vector<std::uint8_t> b(28, 0xEE);
  eachKindFields(bytes::FieldWriter(b.data()), k);
  const std::vector<std::uint8_t> expected = {
      0xEE, 0x9A, 0x34, 0x12, 0xD4, 0xC3, 0xB2, 0xA1, 0xFE, 0xFF, 0xFF, 0xFF, 0x02, 0x01,
      0xFE, 0xFF, 0x04, 0x03, 0x02, 0x01, 0xFC, 0xFC, 0xFD, 0xFE, 'A',  0x00, 'Z',  0xEE,
  };
  EXPECT_EQ(b, expected);
  EachKind back;
  eachKindFields(bytes::FieldReader(b.data()), back);
  std::vector<std::uint8_t> again(28, 0xEE);
  eachKindFields(bytes::FieldWriter(again.data()), back);
  EXPECT_EQ(again, expected);
  EXPECT_EQ(back.u32, 0xA1B2C3D4u);
  EXPECT_EQ(back.i32s[1], -0x01020304);
}

TEST(RecordLayout, BlankRecordsAreAllZero) {
  EXPECT_TRUE(RaceRecord{}.isBlank());
  EXPECT_TRUE(KaisaiRecord{}.isBlank());
  auto b = enc(RaceRecord{});
  for (auto v : b) ASSERT_EQ(v, 0);
  EXPECT_EQ(kRaceBlockSize, 22704u);
}

TEST(NenjiTableLayout, TwentyOneLittleEndianSlots) {
  NenjiTable t;
  t.nen[0] = 2001;
  t.nen[1] = 2000;
  std::uint8_t b[NenjiTable::kSize] = {};
  t.encode(b);
  EXPECT_EQ(b[0], 2001 & 0xFF);
  EXPECT_EQ(b[1], 2001 >> 8);
  EXPECT_EQ(bytes::getU16(b, 2), 2000);
  EXPECT_EQ(t.count(), 2);
  t.nen[2] = 0;
  t.nen[3] = 1999;  // the first 0 ends the list
  EXPECT_EQ(t.count(), 2);
}

TEST(Keibajo, CodesAndFileSuffixes) {
  EXPECT_STREQ(keibajo(0).name, "札幌");
  EXPECT_STREQ(keibajo(0).raceSuffix, "rsa.dat");
  EXPECT_STREQ(keibajo(9).folder, "kok");
  EXPECT_STREQ(keibajo(9).raceSuffix, "rko.dat");
  for (int wrong : {-1, 10, 65535}) EXPECT_THROW(keibajo(wrong), std::logic_error) << wrong;
  EXPECT_EQ(courseFromText("tok"), 4);
  EXPECT_EQ(courseFromText("TOK"), 4);
  EXPECT_EQ(courseFromText("7"), 7);
  EXPECT_EQ(courseFromText("10"), -1);
  EXPECT_EQ(courseFromText("xyz"), -1);
}

TEST(DecodingHelpers, PairsResultsAndWeights) {
  KaisaiRecord k;
  k.tsukiHi = 1203;
  k.kaiNichi = 308;
  EXPECT_EQ(k.month(), 12);
  EXPECT_EQ(k.day(), 3);
  EXPECT_EQ(k.kai(), 3);
  EXPECT_EQ(k.nichi(), 8);
  EXPECT_EQ(pairFirst(BetType::Waku, 44), 4);
  EXPECT_EQ(pairSecond(BetType::Waku, 48), 8);
  EXPECT_EQ(pairFirst(BetType::Uma, 312), 3);
  EXPECT_EQ(pairSecond(BetType::Wide, 312), 12);
  // A place result 5 stored as 105 is horse 5, hit.
  EXPECT_EQ(plainCode(BetType::Fuku, 105), 5);
  EXPECT_TRUE(resultHit(BetType::Fuku, 105));
  EXPECT_FALSE(resultHit(BetType::Fuku, 5));
  EXPECT_EQ(plainCode(BetType::Uma, 10312), 312);
  EXPECT_TRUE(resultHit(BetType::Uma, 10312));
  EXPECT_FALSE(resultHit(BetType::Uma, 312));
  EXPECT_EQ(kinryoText(57), "57");
  EXPECT_EQ(kinryoText(575), "57.5");
  EXPECT_EQ(kinryoText(550), "55.0");
  EXPECT_EQ(kinryoText(99), "99");
}
