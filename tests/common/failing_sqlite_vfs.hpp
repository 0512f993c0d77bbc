#pragma once
// An SQLite VFS for tests that make I/O fail at a chosen step.
//
// It wraps the default "unix" VFS and counts the calls that change a file: xWrite, xSync
// and xTruncate of every file opened through it (the database and its journal) and the
// VFS's xDelete (removing the journal is how a transaction commits). When armed with n,
// the n-th counted call fails with SQLITE_IOERR (its extended code: SQLITE_IOERR_WRITE,
// _FSYNC, _TRUNCATE, _DELETE) without doing anything; with `andLater` every counted call
// after it fails too, as if the disk were gone from then on (the journal a crash would
// leave stays behind: the next open without the VFS rolls it back).
//
// Use:
//   BetStore store(root, failingVfs());      // opens its file through the VFS
//   disarmFailingVfs();                       // counts, fails nothing
//   store.addLine(...);                       // failingVfsCalls(): the steps it took
//   for (long n = 1; ; ++n) {                 // in a fresh copy of the ledger each time
//     armFailingVfs(n);
//     ... run the operation: it must refuse; check the files afterwards ...
//     if (!failingVfsFailed()) break;         // n was beyond the operation's last step
//   }
//   disarmFailingVfs();
//
// The state is one per process (SQLite's VFS list is); tests that use it must not run
// in parallel threads.
namespace tovra::testing {

// The VFS's name ("tovra-failing"), registered with SQLite at the first call (never as
// the default VFS).
const char* failingVfs();

// From now on the n-th counted call (1-based) fails, and every later one too with
// `andLater`. Resets the count.
void armFailingVfs(long n, bool andLater = false);
// Fails nothing from now on. Resets the count.
void disarmFailingVfs();
// The calls counted since the last arm or disarm.
long failingVfsCalls();
// Whether a call failed since the last arm.
bool failingVfsFailed();

}  // namespace tovra::testing
