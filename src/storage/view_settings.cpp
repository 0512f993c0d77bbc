#include "storage/view_settings.hpp"

#include <cstring>

#include "storage/bytes.hpp"
#include "storage/fileio.hpp"
#include "storage/paths.hpp"

namespace tovra {
using namespace bytes;

namespace {
constexpr char kMagic[4] = {'T', 'V', 'V', 'W'};
}

std::array<std::uint8_t, ViewSettings::kSize> ViewSettings::encode() const {
  std::array<std::uint8_t, kSize> out{};
  std::memcpy(out.data(), kMagic, sizeof kMagic);
  putU16(out.data(), 4, kVersion);
  out[6] = allTypes ? 1 : 0;
  out[7] = 0;
  return out;
}

bool ViewSettings::decode(const std::uint8_t* in, std::size_t n, ViewSettings& out) {
  if (n != kSize || std::memcmp(in, kMagic, sizeof kMagic) != 0 || getU16(in, 4) != kVersion || in[6] > 1 || in[7] != 0)
    return false;
  out.allTypes = in[6] == 1;
  return true;
}

ViewSettings loadViewSettings(FileSystem& fs, const std::filesystem::path& root) {
  ViewSettings v;
  auto f = fs.open(resolvePath(fs, root, kViewSettingsFile), OpenMode::Read);
  if (!f) return v;
  // One byte more than the layout: a longer file is another layout too.
  std::uint8_t buf[ViewSettings::kSize + 1];
  const std::size_t got = f->read(buf, sizeof buf);
  ViewSettings::decode(buf, got, v);
  return v;
}

bool saveViewSettings(FileSystem& fs, const std::filesystem::path& root, const ViewSettings& v) {
  const auto bytes = v.encode();
  return writeWholeFile(fs, resolvePath(fs, root, kViewSettingsFile), bytes.data(), bytes.size());
}

}  // namespace tovra
