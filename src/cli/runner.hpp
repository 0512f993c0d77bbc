#pragma once
// Running tovra-cli: from main() over the process's streams, or in-process with given
// streams (the tests). Each run parses its own fresh set of commands.
#include <string>
#include <vector>

#include "cli/cli_context.hpp"

namespace tovra::cli {

// The message when what a command printed could not be written to stdout (exit 2).
inline constexpr const char* kOutputFailedMessage = "標準出力に書き込めませんでした。";

// Runs the tool on `args` (without the program name); returns the exit code: 0 success,
// 1 refused input or bad arguments, 2 fatal file error. `printBackend` makes the print
// back end and `chartRenderer` the chart renderer when a command needs one (none: printing
// or charts are refused).
int run(const std::vector<std::string>& args, const Io& io, print::PrintBackendFactory printBackend = nullptr,
        exports::ChartRendererFactory chartRenderer = nullptr);
// main(): the process's arguments and standard streams.
int run(int argc, char** argv, print::PrintBackendFactory printBackend = nullptr,
        exports::ChartRendererFactory chartRenderer = nullptr);

}  // namespace tovra::cli
