#pragma once
// Running tovra-cli in-process from the tests, over a working folder, with stdin empty
// and not a terminal (as from /dev/null), and the print back end and chart renderer tovra-cli has.
#include <filesystem>
#include <string>
#include <vector>

namespace tovra {
class FileSystem;
}

namespace tovra::testing {

struct CliResult {
  int exitCode = -1;
  std::string out;  // stdout
  std::string err;  // stderr
};

// tovra-cli -C dir ARGS..., over the file layer `fs` when given.
CliResult runCli(const std::filesystem::path& dir, const std::vector<std::string>& args, FileSystem* fs = nullptr);
// The same with the arguments split at spaces; '...' quotes as in a shell.
CliResult runCli(const std::filesystem::path& dir, const std::string& args, FileSystem* fs = nullptr);

}  // namespace tovra::testing
