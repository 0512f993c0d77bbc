#!/bin/sh
# Builds everything with warnings as errors and runs every test (GoogleTest and Qt Test
# under CTest), builds the Release configuration of the install command, starts the built
# program in an empty folder and in a ledger with data, then builds the core again with
# AddressSanitizer and UBSan and runs its tests.
set -eu
cd "$(dirname "$0")/.."
JOBS=$(nproc 2>/dev/null || echo 2)
# Compiler cache entries name the sources relative to the clone, so that a second clone on
# the same machine reuses what the first one compiled.
export CCACHE_BASEDIR="$(pwd)" CCACHE_NOHASHDIR=1
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVRA_WERROR=ON -DTOVRA_GUI=ON >/dev/null
cmake --build build-test -j"$JOBS"
(cd build-test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$JOBS")
# The configuration of the README's first command (Release, -O3, no tests), here with warnings as
# errors, so that a warning only the optimiser sees fails the tests instead of a user's build.
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DTOVRA_TESTS=OFF -DTOVRA_WERROR=ON >/dev/null
cmake --build build-release -j"$JOBS"
# The built program itself, started as a user starts it.
sh scripts/smoke-start.sh build-test
if [ "${TOVRA_SKIP_SANITIZE:-0}" != 1 ]; then
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTOVRA_SANITIZE=ON -DTOVRA_WERROR=ON -DTOVRA_GUI=OFF >/dev/null
  cmake --build build-asan -j"$JOBS"
  (cd build-asan && ctest --output-on-failure -j"$JOBS" -L core)
fi
# The fuzz targets of the readers of outside files (clang and libFuzzer), a few seconds each;
# skipped where clang++ cannot link a libFuzzer target (.ci/packages installs clang and
# libclang-rt-14-dev).
fuzz_probe=$(mktemp -d)
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' >"$fuzz_probe/p.cpp"
if [ "${TOVRA_SKIP_FUZZ:-0}" = 1 ]; then
  :
elif ! clang++ -fsanitize=fuzzer "$fuzz_probe/p.cpp" -o "$fuzz_probe/p" >/dev/null 2>&1; then
  echo "fuzz targets skipped: clang++ with libFuzzer not installed (apt-get install clang libclang-rt-14-dev)"
else
  cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DTOVRA_FUZZ=ON \
    -DTOVRA_GUI=OFF -DTOVRA_TESTS=OFF -DTOVRA_WERROR=OFF >/dev/null
  cmake --build build-fuzz -j"$JOBS" --target fuzz_jravan fuzz_jvdata fuzz_pat fuzz_nifty fuzz_lha fuzz_ipat make_seeds
  sh fuzz/run.sh build-fuzz "${TOVRA_FUZZ_SECONDS:-5}"
fi
rm -rf "$fuzz_probe"
