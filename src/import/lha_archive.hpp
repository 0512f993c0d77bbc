#pragma once
// LZH archives (the compressed JRA-VAN files) through liblhasa. An archive is read
// whole from memory, every member checked against its stored length and CRC; members
// are taken without their folder names, as 'e' of the LHA tools does. An archive whose
// member names point outside (an absolute path, a "..", a link) is refused whole.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tovra {

class FileSystem;

enum class LhaStatus {
  NotArchive,  // no LZH header at the start: an ordinary file
  Ok,
  Damaged,      // a header, length or CRC that does not hold, or more than the size limit
  UnsafeName,   // a member named with an absolute path, "..", or a link
  WriteFailed,  // unpacking: a member could not be written (a full disk, a read-only file)
};

struct LhaMember {
  std::string name;  // without folder
  std::vector<std::uint8_t> data;
};

struct LhaContents {
  LhaStatus status = LhaStatus::NotArchive;
  std::vector<LhaMember> members;  // only with Ok
};

// What all members of one archive may unpack to at most (a damaged or hostile archive
// must not fill the disk).
inline constexpr std::size_t kLhaMaxUnpacked = 256u << 20;

LhaContents readLhaArchive(std::span<const std::uint8_t> archive, std::size_t maxUnpacked = kLhaMaxUnpacked);

// CRC-16 of LZH members (polynomial 0xA001, reflected, start 0).
std::uint16_t lhaCrc16(std::span<const std::uint8_t> data);

// Unpacks the archive at `archive` into `folder` (created when missing): each member
// under its name without folders, written whole. Returns the status; with Ok, `written`
// holds the names written (for examining and removing them afterwards). Nothing is
// written unless the whole archive reads correctly. WriteFailed: a member could not be
// written; what was written of the archive is removed again, `written` is empty and
// `failedName` (when given) names the member.
LhaStatus unpackLhaArchive(FileSystem& fs, const std::filesystem::path& archive, const std::filesystem::path& folder,
                           std::vector<std::string>& written, std::string* failedName = nullptr);

}  // namespace tovra
