#pragma once
// The file layer under the ledger. Everything that touches a file goes through a
// FileSystem so that tests can inject one that fails at a chosen point.
//
// HOW TO WRITE A FILE (every writer of this program follows these three ways; there is
// no other, and FileSystem::open has no mode that truncates or appends):
//
//  1. A whole file (main.dat, tovractm.dat, janipa.dat, tmp/ work files, saved results,
//     a new ledger file): writeWholeFile(fs, path, data, n). The bytes go to a new,
//     uniquely named file beside the target, are synced to the disk, and the new file is
//     renamed over the target (keeping the target's mode); the folder is synced. On false
//     the target is exactly as it was. Report false, never carry on as if it were written:
//     a ledger file gives the numbered FatalFileError, anything else a clear message.
//     To add to a file (an archive, say), read it, append in memory, write it whole.
//     A scratch file below tmp/ that only this run reads (an unpacked archive member, the
//     list of an import folder): writeScratchFile, the same staging and rename without
//     the syncs (a crash leaves the old file, the new one, or a staged file that the next
//     open removes).
//     A file written piece by piece (a result list of any length): StagedFile's open(),
//     write() as often as needed, commit().
//  2. Several files that must change together (both files of a course): one StagedFile
//     per file, then commitTogether(), which writes a small commit mark before the
//     renames. recoverInterruptedWrites() at the next open completes a committed group
//     and discards everything that was not committed.
//  3. One record inside an existing file: updateInPlace(fs, path, offset, data, n), which
//     checks the open, the seek, the write, the sync and the close. Only for files whose
//     record may change alone (a settings field); a change of the ledger goes the 4th way.
//  4. Records inside existing files that must change together (a meeting day: its race
//     block and its meeting record): updateTogether(fs, journal, pieces). A redo journal
//     holding every piece is written whole (way 1), then each piece in place, then the
//     journal is removed. recoverInterruptedWrites() at the next open writes the pieces
//     of a journal it finds again: the records read all old or all new.
//
// Reading: readWholeFile refuses files larger than its limit; read bounded pieces with
// File::read otherwise, and zero-fill what a short read did not deliver.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tovra {

class File {
 public:
  virtual ~File() = default;
  virtual std::size_t read(void* buf, std::size_t n) = 0;  // bytes read (short at end of file)
  virtual bool write(const void* buf, std::size_t n) = 0;  // all or failure
  virtual bool seek(std::uint64_t offset) = 0;
  virtual bool flush() = 0;  // to the disk (fsync), not only the C library
  virtual bool close() = 0;  // checked; the destructor closes unchecked
  virtual std::uint64_t size() = 0;
};

enum class OpenMode {
  Read,       // existing file, read only
  Update,     // existing file, read and write, no truncation
  CreateNew,  // a file that must not exist yet, read and write (the staged files of writes)
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual std::unique_ptr<File> open(const std::filesystem::path& p, OpenMode mode);  // nullptr on failure
  virtual bool exists(const std::filesystem::path& p);
  virtual bool isDirectory(const std::filesystem::path& p);
  virtual bool createDirectory(const std::filesystem::path& p);
  virtual bool remove(const std::filesystem::path& p);  // false also when it did not exist
  virtual bool rename(const std::filesystem::path& from, const std::filesystem::path& to);
  virtual std::vector<std::string> list(const std::filesystem::path& dir);  // entry names
  // Gives `to` the permission bits of `from` (the replaced file keeps its mode).
  virtual bool copyPermissions(const std::filesystem::path& from, const std::filesystem::path& to);
  // Makes the renames and removals inside a folder durable.
  virtual bool syncDirectory(const std::filesystem::path& dir);
  // Opens an existing device, FIFO or terminal (or a /proc/self/fd link) for writing
  // through, as a shell redirection does: nothing is created; a folder is refused; a
  // regular file reached this way is emptied first. Waits for a FIFO's reader.
  virtual std::unique_ptr<File> openWriteThrough(const std::filesystem::path& p);
  // False only when no process `pid` runs any more (the writer of a staged file is gone).
  virtual bool processRunning(long pid);
  // Whether the user may change the file at `p` (true when there is none yet). A file
  // the user made read-only is never replaced nor changed in place: the writes below
  // refuse it, as opening it for update does.
  virtual bool writable(const std::filesystem::path& p);

  static FileSystem& standard();
};

// Whole files larger than this are refused by readWholeFile: no file of the program is
// near it, and a damaged one must not make us allocate gigabytes.
inline constexpr std::uint64_t kReadWholeLimit = 256u << 20;

// Reads a whole file; false when it cannot be opened or is larger than `limit`.
bool readWholeFile(FileSystem& fs, const std::filesystem::path& p, std::vector<std::uint8_t>& out,
                   std::uint64_t limit = kReadWholeLimit);
// At most `n` bytes from the start of a file (fewer when it is shorter); false when it
// cannot be opened.
bool readFileHead(FileSystem& fs, const std::filesystem::path& p, std::size_t n, std::vector<std::uint8_t>& out);

// Way 1 above: the whole file replaced durably, or left as it was (false, also when the
// file is read-only).
bool writeWholeFile(FileSystem& fs, const std::filesystem::path& p, const void* data, std::size_t n);
inline bool writeWholeFile(FileSystem& fs, const std::filesystem::path& p, const std::vector<std::uint8_t>& data) {
  return writeWholeFile(fs, p, data.data(), data.size());
}

// Way 1 for scratch files: staged and renamed whole, but not synced to the disk.
bool writeScratchFile(FileSystem& fs, const std::filesystem::path& p, const void* data, std::size_t n);

// Where a file the user named (--out, --png, --pdf, a save dialog's file) is written:
// a symlink is followed to the file it names (which is replaced; the link stays), a
// device, FIFO or terminal is written through, a regular or new file is replaced whole.
struct OutputTarget {
  std::filesystem::path path;
  bool writeThrough = false;
};
OutputTarget outputTargetFor(const std::filesystem::path& p);

// A file the user named, written as outputTargetFor says. On false a regular target is as
// it was and nothing is left beside it. While a regular file is staged, synced and put in
// place, SIGINT, SIGTERM, SIGHUP and SIGQUIT wait (blocked for this thread), so that a
// Ctrl-C then ends the program with the old file or the whole new one and nothing staged
// beside it; a write through to a FIFO or device, which may wait for its reader without
// end, is never shielded so.
bool writeOutputFile(FileSystem& fs, const std::filesystem::path& p, const void* data, std::size_t n);

// Way 3 above: n bytes at `offset` of an existing file, synced; false on any failure
// (a read-only file among them).
bool updateInPlace(FileSystem& fs, const std::filesystem::path& p, std::uint64_t offset, const void* data,
                   std::size_t n);

// Way 4 above: one piece of an existing file, changed in place.
struct InPlacePiece {
  std::filesystem::path path;  // in the folder of the journal
  std::uint64_t offset = 0;
  std::vector<std::uint8_t> bytes;
};

// The journal of a change whose first piece is in `target`.
std::filesystem::path journalFor(const std::filesystem::path& target);

// Way 4 above. Every piece's file must exist, be writable and lie in the folder of
// `journal`. Returns false when nothing changed (a piece's file is missing or read-only,
// or the journal could not be written) or when a piece failed after the journal was in
// place: that journal stays and the next open completes the change. `failedPath` then
// names the file that failed.
bool updateTogether(FileSystem& fs, const std::filesystem::path& journal, const std::vector<InPlacePiece>& pieces,
                    std::filesystem::path* failedPath = nullptr);

// The bytes of a journal (a small header, the pieces by name, a CRC-32 over all), and the
// reverse: false for anything that is not one whole journal.
std::vector<std::uint8_t> encodeJournal(const std::vector<InPlacePiece>& pieces);
bool decodeJournal(const std::vector<std::uint8_t>& bytes, const std::filesystem::path& dir,
                   std::vector<InPlacePiece>& pieces);

// A new version of one file, written beside it under a unique name and put in place by
// commit() (or by commitTogether with others). Destroyed before that, it removes the new
// file and the target stays as it was.
class StagedFile {
 public:
  enum class Sync { Durable, Scratch };  // Scratch: neither the file nor its folder is synced
  StagedFile(FileSystem& fs, std::filesystem::path target, Sync sync = Sync::Durable);
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  bool open();                                  // creates the new file; false for a read-only target
  bool write(const void* data, std::size_t n);  // appends to it
  bool finish();                                // synced and closed; the target is untouched
  bool commit();                                // finish() first; renamed over the target, folder synced

  const std::filesystem::path& target() const { return target_; }
  const std::filesystem::path& staged() const { return staged_; }
  bool placed() const { return placed_; }

 private:
  friend bool commitTogether(FileSystem&, const std::filesystem::path&, const std::vector<StagedFile*>&);
  bool renameIntoPlace();
  FileSystem& fs_;
  std::filesystem::path target_, staged_;
  std::unique_ptr<File> file_;
  Sync sync_;
  bool failed_ = false, finished_ = false, placed_ = false, handedOver_ = false;
};

// Way 2 above. Every file must be finish()ed and lie in the folder of `mark`. Writes the
// commit mark (which names each staged file and its target), renames every file into
// place, syncs the folder and removes the mark. Returns false when the mark could not be
// written (nothing changed, the staged files are removed with their StagedFiles) or when a
// rename failed after it: then the mark and the remaining files stay for
// recoverInterruptedWrites, which completes the group at the next open.
bool commitTogether(FileSystem& fs, const std::filesystem::path& mark, const std::vector<StagedFile*>& files);

// The commit mark of a group whose first file is `target`.
std::filesystem::path commitMarkFor(const std::filesystem::path& target);

// What the next open does with what a crash left in `dir`: each commit mark's group is
// completed (the files it names still staged are renamed over their targets) and the mark
// removed; each journal's pieces are written again and the journal removed (one that does
// not read whole was never in place: it is removed); every other staged file whose writer no longer runs is removed
// (the pid in its name; a name without one is removed). Returns false when a committed group could not be completed
// (the ledger would be a mix of old and new): the caller stops. `failedPath` then names the target that could not be
// put in place.
bool recoverInterruptedWrites(FileSystem& fs, const std::filesystem::path& dir,
                              std::filesystem::path* failedPath = nullptr);

// Removes the staged files, commit marks and journals in `dir` whose target name starts with
// `prefix` (a deleted year's "2001"): nothing of a deleted year is left behind.
void removeLeftoversOf(FileSystem& fs, const std::filesystem::path& dir, const std::string& prefix);

// True for the names of staged files, commit marks and journals.
bool isStagedName(const std::string& name);
bool isCommitMarkName(const std::string& name);
bool isJournalName(const std::string& name);
// The pid in a staged file's name, or 0 when the name has none.
long stagedWriterPid(const std::string& name);

}  // namespace tovra
