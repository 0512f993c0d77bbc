#pragma once
// Running tovra-cli from the core tests.
#include <filesystem>
#include <string>

namespace tovra::testing {

struct CliResult {
  int exitCode = -1;
  std::string out;  // stdout
  std::string err;  // stderr
};

// Runs tovra-cli -C dir <args> with stdin from /dev/null.
CliResult runCli(const std::filesystem::path& dir, const std::string& args);

}  // namespace tovra::testing
