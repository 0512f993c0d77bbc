#include "common/cli_runner.hpp"

#include <sstream>

#include "cli/runner.hpp"
#ifdef TOVRA_CLI_PRINTS
#include "adapters/qt/chart/ChartPng.h"
#include "adapters/qt/print/QtPrintBackend.h"
#endif

namespace tovra::testing {

CliResult runCli(const std::filesystem::path& dir, const std::vector<std::string>& args, FileSystem* fs) {
  std::ostringstream out, err;
  std::istringstream in;
  std::vector<std::string> all{"-C", dir.string()};
  all.insert(all.end(), args.begin(), args.end());
  CliResult r;
#ifdef TOVRA_CLI_PRINTS
  r.exitCode = cli::run(all, cli::Io{out, err, in, false, false, fs}, makeQtPrintBackend, makeQtChartRenderer);
#else
  r.exitCode = cli::run(all, cli::Io{out, err, in, false, false, fs});
#endif
  r.out = out.str();
  r.err = err.str();
  return r;
}

CliResult runCli(const std::filesystem::path& dir, const std::string& args, FileSystem* fs) {
  // Words split at spaces as a shell would, with '...' quoting (an empty '' is a word).
  std::vector<std::string> words;
  std::string word;
  bool inWord = false, quoted = false;
  for (char ch : args) {
    if (ch == '\'') {
      quoted = !quoted;
      inWord = true;
    } else if (ch == ' ' && !quoted) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += ch;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return runCli(dir, words, fs);
}

}  // namespace tovra::testing
