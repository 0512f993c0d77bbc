#include "cli/command.hpp"

#include <CLI/CLI.hpp>
#include <stdexcept>

#include "cli/cli_context.hpp"

namespace tovra::cli {

void CommandSet::group(const std::string& name, const std::string& help) {
  CLI::App* g = app_.add_subcommand(name, help);
  g->require_subcommand(1);
  groups_[name] = g;
}

void CommandSet::attach(std::unique_ptr<Command> c) {
  CLI::App* parent = &app_;
  if (!c->group().empty()) {
    auto g = groups_.find(c->group());
    if (g == groups_.end()) throw std::logic_error("command group not declared: " + c->group());
    parent = g->second;
  }
  CLI::App* sub = parent->add_subcommand(c->name(), c->help());
  c->define(*sub);
  Command* cmd = c.get();
  Context* ctx = &ctx_;
  sub->callback([cmd, ctx] {
    ctx->writes = cmd->writes();
    cmd->run(*ctx);
  });
  commands_.push_back(std::move(c));
}

}  // namespace tovra::cli
