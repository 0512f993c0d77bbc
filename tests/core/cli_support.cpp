#include "cli_support.hpp"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace tovra::testing {

namespace {
std::string slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}
}  // namespace

CliResult runCli(const std::filesystem::path& dir, const std::string& args) {
  auto outFile = dir.parent_path() / (dir.filename().string() + ".out");
  auto errFile = dir.parent_path() / (dir.filename().string() + ".err");
  std::string cmd = std::string("'") + TOVRA_CLI_PATH + "' -C '" + dir.string() + "' " + args + " </dev/null >'" +
                    outFile.string() + "' 2>'" + errFile.string() + "'";
  int status = std::system(cmd.c_str());
  CliResult r;
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = slurp(outFile);
  r.err = slurp(errFile);
  std::filesystem::remove(outFile);
  std::filesystem::remove(errFile);
  return r;
}

}  // namespace tovra::testing
