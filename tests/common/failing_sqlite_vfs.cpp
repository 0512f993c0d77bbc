#include "common/failing_sqlite_vfs.hpp"

#include <sqlite3.h>

#include <atomic>
#include <cstring>
#include <mutex>

namespace tovra::testing {
namespace {

std::atomic<long> calls{0};
std::atomic<long> failAt{0};  // 0: disarmed
std::atomic<bool> failLater{false};
std::atomic<bool> failed{false};

// Counts one call; true when it is to fail.
bool countAndFail() {
  const long n = ++calls;
  const long at = failAt.load();
  const bool fail = at > 0 && (n == at || (failLater.load() && n > at));
  if (fail) failed = true;
  return fail;
}

sqlite3_vfs* realVfs() { return sqlite3_vfs_find("unix"); }

// A file opened through the VFS: the wrapped file follows it in the same allocation.
struct ShimFile {
  sqlite3_file base;
  sqlite3_file* real;
};

sqlite3_file* real(sqlite3_file* f) { return reinterpret_cast<ShimFile*>(f)->real; }
const sqlite3_io_methods* methodsOf(sqlite3_file* f) { return real(f)->pMethods; }

int xClose(sqlite3_file* f) { return methodsOf(f)->xClose(real(f)); }
int xRead(sqlite3_file* f, void* buf, int n, sqlite3_int64 off) { return methodsOf(f)->xRead(real(f), buf, n, off); }
int xWrite(sqlite3_file* f, const void* buf, int n, sqlite3_int64 off) {
  if (countAndFail()) return SQLITE_IOERR_WRITE;
  return methodsOf(f)->xWrite(real(f), buf, n, off);
}
int xTruncate(sqlite3_file* f, sqlite3_int64 size) {
  if (countAndFail()) return SQLITE_IOERR_TRUNCATE;
  return methodsOf(f)->xTruncate(real(f), size);
}
int xSync(sqlite3_file* f, int flags) {
  if (countAndFail()) return SQLITE_IOERR_FSYNC;
  return methodsOf(f)->xSync(real(f), flags);
}
int xFileSize(sqlite3_file* f, sqlite3_int64* size) { return methodsOf(f)->xFileSize(real(f), size); }
int xLock(sqlite3_file* f, int lock) { return methodsOf(f)->xLock(real(f), lock); }
int xUnlock(sqlite3_file* f, int lock) { return methodsOf(f)->xUnlock(real(f), lock); }
int xCheckReservedLock(sqlite3_file* f, int* out) { return methodsOf(f)->xCheckReservedLock(real(f), out); }
int xFileControl(sqlite3_file* f, int op, void* arg) { return methodsOf(f)->xFileControl(real(f), op, arg); }
int xSectorSize(sqlite3_file* f) { return methodsOf(f)->xSectorSize(real(f)); }
int xDeviceCharacteristics(sqlite3_file* f) { return methodsOf(f)->xDeviceCharacteristics(real(f)); }
int xShmMap(sqlite3_file* f, int page, int size, int extend, void volatile** out) {
  return methodsOf(f)->xShmMap(real(f), page, size, extend, out);
}
int xShmLock(sqlite3_file* f, int offset, int n, int flags) {
  return methodsOf(f)->xShmLock(real(f), offset, n, flags);
}
void xShmBarrier(sqlite3_file* f) { methodsOf(f)->xShmBarrier(real(f)); }
int xShmUnmap(sqlite3_file* f, int del) { return methodsOf(f)->xShmUnmap(real(f), del); }
int xFetch(sqlite3_file* f, sqlite3_int64 off, int n, void** out) { return methodsOf(f)->xFetch(real(f), off, n, out); }
int xUnfetch(sqlite3_file* f, sqlite3_int64 off, void* p) { return methodsOf(f)->xUnfetch(real(f), off, p); }

// One table per version of the wrapped file's methods, so that SQLite never calls one the
// wrapped file lacks.
sqlite3_io_methods methodsOfVersion(int version) {
  sqlite3_io_methods m{};
  m.iVersion = version;
  m.xClose = xClose;
  m.xRead = xRead;
  m.xWrite = xWrite;
  m.xTruncate = xTruncate;
  m.xSync = xSync;
  m.xFileSize = xFileSize;
  m.xLock = xLock;
  m.xUnlock = xUnlock;
  m.xCheckReservedLock = xCheckReservedLock;
  m.xFileControl = xFileControl;
  m.xSectorSize = xSectorSize;
  m.xDeviceCharacteristics = xDeviceCharacteristics;
  if (version >= 2) {
    m.xShmMap = xShmMap;
    m.xShmLock = xShmLock;
    m.xShmBarrier = xShmBarrier;
    m.xShmUnmap = xShmUnmap;
  }
  if (version >= 3) {
    m.xFetch = xFetch;
    m.xUnfetch = xUnfetch;
  }
  return m;
}

const sqlite3_io_methods kMethods[] = {methodsOfVersion(1), methodsOfVersion(2), methodsOfVersion(3)};

int vOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
  auto* shim = reinterpret_cast<ShimFile*>(file);
  shim->real = reinterpret_cast<sqlite3_file*>(shim + 1);
  shim->real->pMethods = nullptr;
  const int rc = realVfs()->xOpen(realVfs(), name, shim->real, flags, outFlags);
  const sqlite3_io_methods* m = shim->real->pMethods;
  shim->base.pMethods = m ? &kMethods[(m->iVersion < 1 ? 1 : m->iVersion > 3 ? 3 : m->iVersion) - 1] : nullptr;
  return rc;
}
int vDelete(sqlite3_vfs*, const char* name, int syncDir) {
  if (countAndFail()) return SQLITE_IOERR_DELETE;
  return realVfs()->xDelete(realVfs(), name, syncDir);
}
int vAccess(sqlite3_vfs*, const char* name, int flags, int* out) {
  return realVfs()->xAccess(realVfs(), name, flags, out);
}
int vFullPathname(sqlite3_vfs*, const char* name, int n, char* out) {
  return realVfs()->xFullPathname(realVfs(), name, n, out);
}
void* vDlOpen(sqlite3_vfs*, const char* name) { return realVfs()->xDlOpen(realVfs(), name); }
void vDlError(sqlite3_vfs*, int n, char* out) { realVfs()->xDlError(realVfs(), n, out); }
void (*vDlSym(sqlite3_vfs*, void* lib, const char* sym))(void) { return realVfs()->xDlSym(realVfs(), lib, sym); }
void vDlClose(sqlite3_vfs*, void* lib) { realVfs()->xDlClose(realVfs(), lib); }
int vRandomness(sqlite3_vfs*, int n, char* out) { return realVfs()->xRandomness(realVfs(), n, out); }
int vSleep(sqlite3_vfs*, int us) { return realVfs()->xSleep(realVfs(), us); }
int vCurrentTime(sqlite3_vfs*, double* out) { return realVfs()->xCurrentTime(realVfs(), out); }
int vGetLastError(sqlite3_vfs*, int n, char* out) { return realVfs()->xGetLastError(realVfs(), n, out); }
int vCurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* out) { return realVfs()->xCurrentTimeInt64(realVfs(), out); }

constexpr const char* kName = "tovra-failing";

}  // namespace

const char* failingVfs() {
  static std::once_flag once;
  std::call_once(once, [] {
    static sqlite3_vfs vfs{};
    sqlite3_vfs* base = realVfs();
    vfs.iVersion = 2;
    vfs.szOsFile = static_cast<int>(sizeof(ShimFile)) + base->szOsFile;
    vfs.mxPathname = base->mxPathname;
    vfs.zName = kName;
    vfs.xOpen = vOpen;
    vfs.xDelete = vDelete;
    vfs.xAccess = vAccess;
    vfs.xFullPathname = vFullPathname;
    vfs.xDlOpen = vDlOpen;
    vfs.xDlError = vDlError;
    vfs.xDlSym = vDlSym;
    vfs.xDlClose = vDlClose;
    vfs.xRandomness = vRandomness;
    vfs.xSleep = vSleep;
    vfs.xCurrentTime = vCurrentTime;
    vfs.xGetLastError = vGetLastError;
    vfs.xCurrentTimeInt64 = vCurrentTimeInt64;
    sqlite3_vfs_register(&vfs, 0);
  });
  return kName;
}

void armFailingVfs(long n, bool andLater) {
  failingVfs();
  failAt = 0;
  calls = 0;
  failed = false;
  failLater = andLater;
  failAt = n;
}

void disarmFailingVfs() {
  failAt = 0;
  calls = 0;
  failed = false;
  failLater = false;
}

long failingVfsCalls() { return calls.load(); }

bool failingVfsFailed() { return failed.load(); }

}  // namespace tovra::testing
