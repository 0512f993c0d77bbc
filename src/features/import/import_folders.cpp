#include "features/import/import_folders.hpp"

#include <cstring>

#include "features/import/import_messages.hpp"
#include "storage/bytes.hpp"
#include "storage/fileio.hpp"
#include "storage/paths.hpp"
#include "storage/text.hpp"

namespace tovra {

void ImportFolders::encode(std::uint8_t* out) const {
  std::memset(out, 0, kSize);
  for (int i = 0; i < kFolders; ++i) {
    const std::string& t = folder[static_cast<std::size_t>(i)];
    std::memcpy(out + i * kFolderSize, t.data(), std::min(t.size(), kFolderSize - 1));
  }
  bytes::putI32(out, 4096, patKind);
}

void ImportFolders::decode(const std::uint8_t* in) {
  for (int i = 0; i < kFolders; ++i)
    folder[static_cast<std::size_t>(i)] =
        fixedText(reinterpret_cast<const char*>(in + i * kFolderSize), kFolderSize - 1);
  patKind = bytes::getI32(in, 4096);
}

const char* patKindItem(int kind) {
  static const char* const items[ImportFolders::kPatKinds] = {"PAT ( PC-9801用 )", "PAT for Win ", "PAT for Win95 ",
                                                              "PAT for Win98/95"};
  return items[kind >= 0 && kind < ImportFolders::kPatKinds ? kind : 0];
}

const char* patKindName(int kind) {
  static const char* const names[ImportFolders::kPatKinds] = {"PAT(PC-9801)", "PAT for Win", "PAT for Win95",
                                                              "PAT for Win98/95"};
  return names[kind >= 0 && kind < ImportFolders::kPatKinds ? kind : 0];
}

bool loadImportFolders(FileSystem& fs, const std::filesystem::path& root, ImportFolders& out) {
  out = ImportFolders{};
  auto f = fs.open(resolvePath(fs, root, kImportFoldersFile), OpenMode::Read);
  if (!f) return false;
  std::uint8_t buf[ImportFolders::kSize] = {};
  f->read(buf, sizeof buf);
  out.decode(buf);
  return true;
}

bool saveImportFolders(FileSystem& fs, const std::filesystem::path& root, const ImportFolders& f) {
  std::uint8_t buf[ImportFolders::kSize];
  f.encode(buf);
  return writeWholeFile(fs, resolvePath(fs, root, kImportFoldersFile), buf, sizeof buf);
}

namespace {
// The last CP932 character of a text (one or two bytes), found from the front.
std::string_view lastChar(std::string_view s) {
  std::size_t i = 0, last = 0;
  while (i < s.size()) {
    last = i;
    i += cp932CharLength(s, i);
  }
  return s.substr(last);
}
}  // namespace

std::string withFolderSeparator(const std::string& cp932) {
  if (cp932.empty()) return cp932;
  const std::string_view c = lastChar(cp932);
  if (c == "/" || c == "\\") return cp932;
  return cp932 + "/";
}

std::filesystem::path folderPath(const std::filesystem::path& root, const std::string& cp932) {
  std::string text = cp932;
  if (!text.empty() && lastChar(text) == "\\") text.back() = '/';
  std::filesystem::path p(cp932ToUtf8(text));
  return p.is_absolute() ? p : root / p;
}

std::optional<std::string> applyFolderEdit(ImportFolders& f, const FolderEdit& edit) {
  std::array<std::string, ImportFolders::kFolders> texts;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::string& stored = f.folder[i];
    std::string bytes;
    if (edit.typedUtf8[i] == cp932ToUtf8(stored)) {
      bytes = stored;  // not edited: the stored bytes as they are
    } else {
      auto converted = utf8ToCp932(edit.typedUtf8[i]);
      if (!converted || converted->find('\0') != std::string::npos) return std::string(msg::kFolderChars);
      bytes = *converted;
    }
    bytes = withFolderSeparator(bytes);
    if (bytes.size() > ImportFolders::kFolderSize - 1) return std::string(msg::kFolderLength);
    texts[i] = bytes;
  }
  f.folder = texts;
  f.patKind = edit.patKind >= 0 && edit.patKind < ImportFolders::kPatKinds ? edit.patKind : 0;
  return std::nullopt;
}

}  // namespace tovra
