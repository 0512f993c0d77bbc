// The files a search leaves in tmp/: byte layouts at literal offsets.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "features/search/search_files.hpp"
#include "storage/bytes.hpp"
#include "storage/text.hpp"

using namespace tovra;
using namespace tovra::search;

namespace {

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t off) {
  return b[off] | (b[off + 1] << 8) | (b[off + 2] << 16) | (std::uint32_t(b[off + 3]) << 24);
}

TEST(SearchFiles, ResultRecordLayout) {
  KekaRecord r;
  r.course = 4;
  r.meeting = 0x01020304;
  r.race = 11;
  std::strcpy(r.name, "\x83\x57\x83\x83\x83\x70\x83\x93");  // ジャパン
  std::strcpy(r.yearText, "2001");
  r.month = 12;
  r.day = 3;
  r.kai = 3;
  r.nichi = 8;
  std::vector<std::uint8_t> b(96, 0xEE);
  r.encode(b.data());
  EXPECT_EQ(le32(b, 0), 4u);
  EXPECT_EQ(b[4], 0x04);
  EXPECT_EQ(b[7], 0x01);
  EXPECT_EQ(le32(b, 8), 11u);
  EXPECT_EQ(b[12], 0x83);
  EXPECT_EQ(b[13], 0x57);
  EXPECT_EQ(b[19], 0x93);
  for (std::size_t i = 20; i < 73; ++i) EXPECT_EQ(b[i], 0) << i;  // the name's NUL and the zeros after it
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[73]), 4), "2001");
  EXPECT_EQ(b[77], 0);
  EXPECT_EQ(b[78], 0);
  EXPECT_EQ(b[79], 0);
  EXPECT_EQ(le32(b, 80), 12u);
  EXPECT_EQ(le32(b, 84), 3u);
  EXPECT_EQ(le32(b, 88), 3u);
  EXPECT_EQ(le32(b, 92), 8u);

  KekaRecord back;
  back.decode(b.data());
  EXPECT_EQ(back.meeting, 0x01020304);
  EXPECT_EQ(std::string(back.name), std::string(r.name));
  EXPECT_EQ(std::string(back.yearText), "2001");
  EXPECT_EQ(back.nichi, 8);
}

TEST(SearchFiles, TitleAndSummaryLayout) {
  KekaText t{"AB", std::string("S\n\nT")};
  std::vector<std::uint8_t> b(512, 0xEE);
  t.encode(b.data());
  EXPECT_EQ(b[0], 'A');
  EXPECT_EQ(b[1], 'B');
  for (std::size_t i = 2; i < 256; ++i) EXPECT_EQ(b[i], 0) << i;
  EXPECT_EQ(b[256], 'S');
  EXPECT_EQ(b[257], '\n');
  EXPECT_EQ(b[259], 'T');
  for (std::size_t i = 260; i < 512; ++i) EXPECT_EQ(b[i], 0) << i;

  // Over-long texts are cut to 255 bytes so that each part keeps its NUL, and never
  // inside a double-byte character.
  KekaText longText{std::string(300, 'x'), "y"};
  for (int i = 0; i < 150; ++i) longText.summary += "\x82\xa0";
  longText.encode(b.data());
  EXPECT_EQ(b[254], 'x');
  EXPECT_EQ(b[255], 0);
  EXPECT_EQ(b[256 + 253], 0x82);
  EXPECT_EQ(b[256 + 254], 0xa0);
  EXPECT_EQ(b[511], 0);
  KekaText back;
  back.decode(b.data());
  EXPECT_EQ(back.title.size(), 255u);
  EXPECT_EQ(back.summary.size(), 255u);
}

TEST(SearchFiles, HistoryMovesEntriesDownAndKeepsTheirBytes) {
  std::vector<std::uint8_t> data(640, 0);
  for (int i = 0; i < 10; ++i) {
    data[std::size_t(i) * 64] = std::uint8_t('a' + i);
    data[std::size_t(i) * 64 + 63] = std::uint8_t(0xE0 + i);  // bytes after the NUL are kept as they are
  }
  History h = History::fromBytes(data);
  h.push("\x83\x57\x83\x83");  // ジャ
  EXPECT_EQ(h.bytes[0], 0x83);
  EXPECT_EQ(h.bytes[3], 0x83);
  for (std::size_t i = 4; i < 64; ++i) EXPECT_EQ(h.bytes[i], 0) << i;
  for (int i = 1; i < 10; ++i) {
    EXPECT_EQ(h.bytes[std::size_t(i) * 64], 'a' + i - 1);
    EXPECT_EQ(h.bytes[std::size_t(i) * 64 + 63], 0xE0 + i - 1);
  }
  const auto texts = h.texts();
  ASSERT_EQ(texts.size(), 10u);
  EXPECT_EQ(texts[0], "\x83\x57\x83\x83");
  EXPECT_EQ(texts[9], "i");  // "j" was the tenth and is gone
}

TEST(SearchFiles, HistoryFromAMissingOrShortFileAndTheFirstEmptyEntryEndsTheList) {
  EXPECT_TRUE(History::fromBytes({}).texts().empty());
  std::vector<std::uint8_t> data(130, 0);
  data[0] = 'a';
  data[128] = 'c';  // entry 3 after an empty entry 2: not listed
  History h = History::fromBytes(data);
  EXPECT_EQ(h.texts(), std::vector<std::string>{"a"});
  h.push("n");
  EXPECT_EQ(h.texts(), (std::vector<std::string>{"n", "a"}));
  EXPECT_EQ(h.bytes[192], 'c');  // moved down with the others
}

}  // namespace
