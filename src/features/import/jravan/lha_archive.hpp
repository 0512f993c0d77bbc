#pragma once
// LZH archives (the compressed JRA-VAN files) through liblhasa. An archive is read
// whole from memory, every member checked against its stored length and CRC; members
// are taken without their folder names, as 'e' of the LHA tools does. An archive whose
// member names point outside (an absolute path, a "..", a link) is refused whole, and
// so is one with more members than a JRA-VAN archive holds.
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
  Damaged,         // a header, length or CRC that does not hold, or more than the size limit
  UnsafeName,      // a member named with an absolute path, "..", or a link
  TooManyMembers,  // more members than the member limit: refused at the first header past it
  WriteFailed,     // unpacking: a member could not be written (a full disk, a read-only file)
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
// must not fill the memory or the disk).
inline constexpr std::size_t kLhaMaxUnpacked = 256u << 20;

// How many members (files and folders) one archive may hold at most. A JRA-VAN archive
// holds one data file per course and racing day of what it covers: a week's or a
// month's files, a whole racing year's at the very most, and a racing year has fewer
// than 300 course-days (about 36 meetings of 8 days), so fewer than 600 files of the two
// kinds together, with perhaps a note or two. 1000 leaves room for that. Without a limit
// an archive of empty members costs a header of some 25 bytes each: the 64 MB that an
// import reads of an archive would hold about 1.7 million of them, each to be walked
// and checked.
inline constexpr std::size_t kLhaMaxMembers = 1000;

struct LhaLimits {
  std::size_t maxUnpacked = kLhaMaxUnpacked;
  std::size_t maxMembers = kLhaMaxMembers;
};

// Every member with its data. The headers are counted as they are walked: the header
// past `maxMembers` ends the reading with TooManyMembers before its data is touched.
LhaContents readLhaArchive(std::span<const std::uint8_t> archive, const LhaLimits& limits = {});

// The same checks over the whole archive (every member is unpacked in pieces and its
// length and CRC checked), but only the members whose names match `mask` (a DOS mask as
// the import folders use, "jra*.*") are returned with their data, in archive order (a
// name may come twice).
LhaContents readLhaMembers(std::span<const std::uint8_t> archive, const std::string& mask,
                           const LhaLimits& limits = {});

// CRC-16 of LZH members (polynomial 0xA001, reflected, start 0); `crc` continues the
// CRC of the bytes before `data`.
std::uint16_t lhaCrc16(std::span<const std::uint8_t> data, std::uint16_t crc = 0);

// Unpacks the archive at `archive` into `folder` (created when missing): each member
// under its name without folders, written whole as a scratch file (not synced: unpacked
// members are no ledger data). Returns the status; with Ok, `written` holds the names
// written (for examining and removing them afterwards). Nothing is written unless the
// whole archive reads correctly within the default limits. WriteFailed: a member could
// not be written; what was written of the archive is removed again, `written` is empty
// and `failedName` (when given) names the member.
LhaStatus unpackLhaArchive(FileSystem& fs, const std::filesystem::path& archive, const std::filesystem::path& folder,
                           std::vector<std::string>& written, std::string* failedName = nullptr);

}  // namespace tovra
