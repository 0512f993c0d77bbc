#include "cli/cli_context.hpp"

int main(int argc, char** argv) { return tovra::cli::run(argc, argv); }
