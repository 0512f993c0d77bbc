// The import folder settings (janipa.dat), the folder texts as 設定 stores them, and the
// file lists of the automatic searches.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/ledger_builder.hpp"
#include "core/support/faulty_fs.hpp"
#include "features/import/file_list.hpp"
#include "features/import/import_folders.hpp"
#include "features/import/import_messages.hpp"
#include "storage/fileio.hpp"
#include "storage/text.hpp"

using namespace tovra;
using tovra::testing::readBytes;
using tovra::testing::TempDir;

namespace {

void writeText(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

}  // namespace

TEST(ImportFolders, MissingFileGivesEmptyFoldersAndPatKindZeroAndWritesNothing) {
  TempDir dir;
  ImportFolders f;
  f.folder[1] = "x";
  f.patKind = 3;
  EXPECT_FALSE(loadImportFolders(FileSystem::standard(), dir.path(), f));
  for (const std::string& t : f.folder) EXPECT_EQ(t, "");
  EXPECT_EQ(f.patKind, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "janipa.dat"));
}

TEST(ImportFolders, GoldenLayoutOfTheFourFoldersAndThePatKind) {
  TempDir dir;
  ImportFolders f;
  f.folder = {"/jv/shutsuba/", "/jv/seiseki/", "nifty/", "C:\\PAT\\"};
  f.patKind = 2;
  ASSERT_TRUE(saveImportFolders(FileSystem::standard(), dir.path(), f));
  const auto b = readBytes(dir.path() / "janipa.dat");
  ASSERT_EQ(b.size(), 4100u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[0]), 13), "/jv/shutsuba/");
  EXPECT_EQ(b[13], 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[1024]), 12), "/jv/seiseki/");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[2048]), 6), "nifty/");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[3072]), 7), "C:\\PAT\\");
  EXPECT_EQ(b[1023], 0);
  EXPECT_EQ(b[4095], 0);
  EXPECT_EQ(b[4096], 2);
  EXPECT_EQ(b[4097], 0);
  EXPECT_EQ(b[4098], 0);
  EXPECT_EQ(b[4099], 0);
  ImportFolders back;
  ASSERT_TRUE(loadImportFolders(FileSystem::standard(), dir.path(), back));
  EXPECT_EQ(back.folder, f.folder);
  EXPECT_EQ(back.patKind, 2);
}

TEST(ImportFolders, ShortLongAndUnterminatedFilesFoundWithoutRegardToCase) {
  TempDir dir;
  writeText(dir.path() / "JANIPA.DAT", std::string(10, 'x'));
  ImportFolders f;
  ASSERT_TRUE(loadImportFolders(FileSystem::standard(), dir.path(), f));
  EXPECT_EQ(f.folder[0], std::string(10, 'x'));
  EXPECT_EQ(f.folder[1], "");
  EXPECT_EQ(f.patKind, 0);
  // Fields filled to the brim: each folder stops at its field's end (1023 bytes), never
  // running into the next one; a PAT kind no kind has counts as kind 0.
  writeText(dir.path() / "JANIPA.DAT", std::string(4150, 'y'));
  ASSERT_TRUE(loadImportFolders(FileSystem::standard(), dir.path(), f));
  for (const std::string& t : f.folder) EXPECT_EQ(t, std::string(1023, 'y'));
  EXPECT_EQ(f.patKind, 0x79797979);
  EXPECT_EQ(f.patKindIndex(), 0);
}

struct SeparatorCase {
  const char* typedUtf8;
  const char* storedUtf8;
};

class FolderSeparator : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(FolderSeparator, AppendedUnlessEmptyOrEndingInASeparator) {
  EXPECT_EQ(cp932ToUtf8(withFolderSeparator(sj(GetParam().typedUtf8))), GetParam().storedUtf8);
}

INSTANTIATE_TEST_SUITE_P(Cases, FolderSeparator,
                         ::testing::Values(SeparatorCase{"C:\\JV\\DATA", "C:\\JV\\DATA/"},
                                           SeparatorCase{"C:\\JV\\DATA\\", "C:\\JV\\DATA\\"},
                                           SeparatorCase{"/home/u/jv", "/home/u/jv/"},
                                           SeparatorCase{"/home/u/jv/", "/home/u/jv/"}, SeparatorCase{"", ""},
                                           // 表 and ソ end in the byte 0x5C: not a separator.
                                           SeparatorCase{"/data/出馬表", "/data/出馬表/"},
                                           SeparatorCase{"/data/ソ", "/data/ソ/"}));

TEST(ImportFolders, TheSecondByteOfHyouIsNoSeparator) {
  const std::string hyou = sj("表");
  ASSERT_EQ(static_cast<unsigned char>(hyou[1]), 0x5C);
  EXPECT_EQ(withFolderSeparator("a" + hyou), "a" + hyou + "/");
}

TEST(ImportFolders, FolderPathReadsABackslashEndAsTheSeparatorAndRelativeBelowTheRoot) {
  EXPECT_EQ(folderPath("/w", "jv\\"), std::filesystem::path("/w/jv/"));
  EXPECT_EQ(folderPath("/w", "/abs/jv/"), std::filesystem::path("/abs/jv/"));
  EXPECT_EQ(folderPath("/w", sj("/データ/")), std::filesystem::path("/データ/"));
}

TEST(ImportFolders, EditKeepsUntouchedBytesAppendsSeparatorsAndRefusesWhatCannotBeStored) {
  ImportFolders f;
  // A folder set on another system whose bytes are not valid CP932 text stays as it was
  // when its edit is left alone.
  f.folder = {std::string("C:\\\x85\x40\\"), "", "nif", ""};
  FolderEdit e;
  e.typedUtf8 = {cp932ToUtf8(f.folder[0]), "/jv/sei", cp932ToUtf8(f.folder[2]), ""};
  e.patKind = 3;
  ASSERT_EQ(applyFolderEdit(f, e), std::nullopt);
  EXPECT_EQ(f.folder[0], std::string("C:\\\x85\x40\\"));
  EXPECT_EQ(f.folder[1], "/jv/sei/");
  EXPECT_EQ(f.folder[2], "nif/");
  EXPECT_EQ(f.folder[3], "");
  EXPECT_EQ(f.patKind, 3);

  const ImportFolders before = f;
  e.typedUtf8[3] = "/pat/\xF0\x9F\x90\x8E";  // a horse emoji: no CP932 form
  EXPECT_EQ(applyFolderEdit(f, e), std::optional<std::string>(msg::kFolderChars));
  e.typedUtf8[3] = std::string(1023, 'p');  // with its separator 1024 bytes: no room for the NUL
  EXPECT_EQ(applyFolderEdit(f, e), std::optional<std::string>(msg::kFolderLength));
  EXPECT_EQ(f.folder, before.folder);
  EXPECT_EQ(f.patKind, before.patKind);
  e.typedUtf8[3] = std::string(1022, 'p');
  ASSERT_EQ(applyFolderEdit(f, e), std::nullopt);
  EXPECT_EQ(f.folder[3].size(), 1023u);
}

TEST(ImportFolders, PatKindTexts) {
  EXPECT_STREQ(patKindItem(0), "PAT ( PC-9801用 )");
  EXPECT_STREQ(patKindItem(3), "PAT for Win98/95");
  EXPECT_STREQ(patKindName(0), "PAT(PC-9801)");
  EXPECT_STREQ(patKindName(1), "PAT for Win");
  EXPECT_STREQ(patKindName(2), "PAT for Win95");
  EXPECT_STREQ(patKindName(7), "PAT(PC-9801)");
}

struct MaskCase {
  const char* mask;
  const char* name;
  bool match;
};

class Masks : public ::testing::TestWithParam<MaskCase> {};

TEST_P(Masks, MatchWithoutRegardToCase) {
  EXPECT_EQ(maskMatches(GetParam().mask, GetParam().name), GetParam().match)
      << GetParam().mask << " " << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Cases, Masks,
                         ::testing::Values(MaskCase{"*.*", "a.txt", true}, MaskCase{"*.*", "noext", true},
                                           MaskCase{"jra*.*", "jra0101.dat", true},
                                           MaskCase{"jra*.*", "JRA0101.DAT", true}, MaskCase{"jra*.*", "Jra", true},
                                           MaskCase{"jra*.*", "xjra.dat", false},
                                           MaskCase{"Ks-*.*", "ks-0101.txt", true}, MaskCase{"Ks-*.*", "KS-A", true},
                                           MaskCase{"Ks-*.*", "ks_0101.txt", false},
                                           MaskCase{"De-*.*", "de-1.dat", true}, MaskCase{"De-*.*", "Ks-1.dat", false},
                                           MaskCase{"a?c", "abc", true}, MaskCase{"a?c", "ac", false}));

TEST(FileList, PlainFilesInNameOrderWrittenAs256ByteRecords) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() / "tmp");
  std::filesystem::create_directories(dir.path() / "pat" / "Ks-folder");
  for (const char* n : {"Ks-2.dat", "ks-1.dat", "De-1.dat", "KS-3"}) writeText(dir.path() / "pat" / n, "x");
  std::filesystem::permissions(dir.path() / "pat" / "KS-3", std::filesystem::perms::owner_read);
  const auto names = listFiles(FileSystem::standard(), dir.path(), dir.path() / "pat", "Ks-*.*", kPatFileList);
  EXPECT_EQ(names, (std::vector<std::string>{"KS-3", "Ks-2.dat", "ks-1.dat"}));
  const auto b = readBytes(dir.path() / "tmp" / "patfilename.tmp");
  ASSERT_EQ(b.size(), 3u * 256u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[0])), "KS-3");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[256])), "Ks-2.dat");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[512])), "ks-1.dat");
  EXPECT_EQ(b[255], 0);
  // A folder that does not exist lists nothing and leaves an empty work file.
  EXPECT_TRUE(listFiles(FileSystem::standard(), dir.path(), dir.path() / "none", "*.*", kPatFileList).empty());
  EXPECT_EQ(readBytes(dir.path() / "tmp" / "patfilename.tmp").size(), 0u);
}

TEST(FileList, AFailedWorkFileWriteStillListsAndKeepsTheOldList) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() / "tmp");
  std::filesystem::create_directories(dir.path() / "nifty");
  writeText(dir.path() / "nifty" / "a.txt", "x");
  writeText(dir.path() / "tmp" / "niffilename.tmp", "old");
  fixture::FaultyFs fs;  // a full disk below tmp/
  fs.fail = [](fixture::FaultyFs::Op op, const std::filesystem::path& p) {
    return op == fixture::FaultyFs::Op::Write && p.parent_path().filename() == "tmp";
  };
  EXPECT_EQ(listFiles(fs, dir.path(), dir.path() / "nifty", "*.*", kNiftyFileList), std::vector<std::string>{"a.txt"});
  const auto b = readBytes(dir.path() / "tmp" / "niffilename.tmp");
  EXPECT_EQ(std::string(b.begin(), b.end()), "old");
}
