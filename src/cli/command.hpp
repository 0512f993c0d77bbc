#pragma once
// One tovra-cli command: an object that owns its arguments and options, so that a run
// of the tool starts from fresh values (the tool can run twice in one process). A file
// of commands defines its classes and one function that adds them to the set; that
// function is listed once in commands.cpp.
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace tovra::cli {

struct Context;

// What a command may change on disk beyond preparing the working folder. Commands
// that change anything run under the ledger's lock; reading commands do not.
enum class Writes {
  Nothing,    // reads the ledger and prints
  WorkFiles,  // writes work files in tmp/ (the tallies)
  Ledger,     // changes ledger files (years, meetings, races, settings)
};

class Command {
 public:
  // `group` is the command's parent ("race" for `race buy`), empty for a command of its own.
  Command(std::string group, std::string name, std::string help, Writes writes)
      : group_(std::move(group)), name_(std::move(name)), help_(std::move(help)), writes_(writes) {}
  virtual ~Command() = default;
  Command(const Command&) = delete;
  Command& operator=(const Command&) = delete;

  const std::string& group() const { return group_; }
  const std::string& name() const { return name_; }
  const std::string& help() const { return help_; }
  Writes writes() const { return writes_; }

  // Declares the arguments and options on the command's own CLI11 app, bound to members.
  virtual void define(CLI::App& app) = 0;
  // Does the work once the arguments are parsed; a refusal throws Refused.
  virtual void run(Context& ctx) = 0;

 private:
  std::string group_, name_, help_;
  Writes writes_;
};

// The commands of one run of the tool, built into its CLI11 app in the order added.
class CommandSet {
 public:
  CommandSet(CLI::App& app, Context& ctx) : app_(app), ctx_(ctx) {}

  // A command group (`race`, `tally` ...): it takes exactly one of its commands.
  void group(const std::string& name, const std::string& help);
  // Adds a command under its group (declared before) or at the top.
  template <class C, class... Args>
  C& add(Args&&... args) {
    auto owned = std::make_unique<C>(std::forward<Args>(args)...);
    C& c = *owned;
    attach(std::move(owned));
    return c;
  }
  // Adds commands built without arguments, in the order given.
  template <class... Cs>
  void addEach() {
    (add<Cs>(), ...);
  }

 private:
  void attach(std::unique_ptr<Command> c);
  CLI::App& app_;
  Context& ctx_;
  std::map<std::string, CLI::App*> groups_;
  std::vector<std::unique_ptr<Command>> commands_;
};

// Every file of commands adds its commands (commands.cpp lists the files).
void addAllCommands(CommandSet& set);

}  // namespace tovra::cli
