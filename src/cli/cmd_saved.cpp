// `saved list|save|show|delete`: the archive of saved tally results in tovradatafile/shukei/.
#include <CLI/CLI.hpp>

#include "cli/cli_context.hpp"
#include "cli/terminal_text.hpp"
#include "features/tally/jyoken_view.hpp"
#include "features/tally/koumoku_view.hpp"
#include "features/tally/result_files.hpp"
#include "features/tally/saved_results.hpp"

namespace tovra::cli {

namespace {

tally::TallyKind parseKind(Context& ctx, const std::string& text) {
  if (auto kind = tally::tallyKindByName(text)) return *kind;
  ctx.refuse("集計の種類は shushi koumoku rank jyoken のいずれかで指定して下さい。");
}

// INDEX: a saved result of the kind, 0-based in index order.
int parseIndex(Context& ctx, tally::TallyKind kind, const std::string& text) {
  const std::size_t count = tally::savedLabels(*ctx.ds, kind).size();
  const std::string name = tally::tallyKindInfo(kind).title;
  bool digits = !text.empty() && text.size() <= 9;
  for (char ch : text) digits = digits && ch >= '0' && ch <= '9';
  if (!digits || std::stoul(text) >= count) {
    if (count == 0) {
      // An index that cannot be read is no empty one.
      const tally::SavedCheck check = tally::checkSaved(*ctx.ds, kind);
      if (!check.problem.empty()) ctx.refuse(check.problem);
      ctx.refuse("保存されている" + name + "結果はありません。");
    }
    ctx.refuse("保存済" + name + "結果の番号は 0～" + std::to_string(count - 1) + " で指定して下さい。");
  }
  return std::stoi(text);
}

// The window's text after a saved result was shown: as the window opens on it.
void printWorkFile(Context& ctx, tally::TallyKind kind) {
  DataStore& ds = *ctx.ds;
  std::vector<std::string> lines;
  switch (kind) {
    case tally::TallyKind::Shushi:
      if (auto r = tally::loadShushiFile(ds, ctx.port))
        lines = tally::shushiLines(tally::shushiView(*r, 0, ds.nenji, ds.year));
      break;
    case tally::TallyKind::Koumoku:
      if (auto r = tally::loadKoumokuFile(ds, ctx.port))
        lines = tally::koumokuLines(tally::koumokuView(*r, tally::kAllCoursesRow));
      break;
    case tally::TallyKind::Rank:
      if (auto r = tally::loadRankFile(ds, ctx.port)) lines = tally::rankLines(tally::rankView(*r, 0));
      break;
    case tally::TallyKind::Jyoken:
      if (auto r = tally::loadJyokenFile(ds, ctx.port)) lines = tally::jyokenLines(tally::jyokenView(*r));
      break;
  }
  if (lines.empty()) throw Refused();
  for (const std::string& line : lines) ctx.out << terminalText(line, Keep::Tabs) << "\n";
}

constexpr const char* kKindHelp = "shushi, koumoku, rank or jyoken";
constexpr const char* kIndexHelp = "0-based, in the order of `saved list`";

class SavedList : public Command {
 public:
  SavedList()
      : Command("saved", "list", "One line per saved result: kind, index, time, what it covers, in the dialog's order",
                Writes::Nothing) {}
  void define(CLI::App&) override {}
  void run(Context& ctx) override {
    DataStore& ds = ctx.requireYear();
    // A kind whose files are not sound is reported instead of listed as empty.
    bool sound = true;
    for (tally::TallyKind kind : tally::kTallyKinds) {
      const tally::SavedCheck check = tally::checkSaved(ds, kind);
      if (!check.problem.empty()) {
        showError(ctx.port, check.problem);
        sound = false;
        continue;
      }
      // The time text is the index file's: a damaged one may hold any byte.
      const auto entries = tally::savedEntries(ds, kind);
      for (std::size_t i = 0; i < entries.size(); ++i)
        ctx.out << tally::tallyKindInfo(kind).name << "\t" << i << "\t" << terminalText(entries[i].time) << "\t"
                << terminalText(entries[i].description) << "\n";
    }
    if (!sound) throw Refused();
  }
};

class SavedSave : public Command {
 public:
  SavedSave()
      : Command("saved", "save", "Append the current work file of a tally (asks unless --yes)", Writes::Ledger) {}
  void define(CLI::App& app) override { app.add_option("KIND", kind_, kKindHelp)->required(); }
  void run(Context& ctx) override {
    DataStore& ds = ctx.requireYear();
    if (!tally::saveTallyResult(ds, ctx.port, parseKind(ctx, kind_))) throw Refused();
  }

 private:
  std::string kind_;
};

class SavedShow : public Command {
 public:
  SavedShow()
      : Command("saved", "show", "Write a saved result back as the work file and print it as its window shows it",
                Writes::WorkFiles) {}
  void define(CLI::App& app) override {
    app.add_option("KIND", kind_, kKindHelp)->required();
    app.add_option("INDEX", index_, kIndexHelp)->required();
  }
  void run(Context& ctx) override {
    DataStore& ds = ctx.requireYear();
    const tally::TallyKind kind = parseKind(ctx, kind_);
    if (!tally::restoreSavedResult(ds, ctx.port, kind, parseIndex(ctx, kind, index_))) throw Refused();
    printWorkFile(ctx, kind);
  }

 private:
  std::string kind_, index_;
};

class SavedDelete : public Command {
 public:
  SavedDelete() : Command("saved", "delete", "Delete a saved result (asks unless --yes)", Writes::Ledger) {}
  void define(CLI::App& app) override {
    app.add_option("KIND", kind_, kKindHelp)->required();
    app.add_option("INDEX", index_, kIndexHelp)->required();
  }
  void run(Context& ctx) override {
    DataStore& ds = ctx.requireYear();
    const tally::TallyKind kind = parseKind(ctx, kind_);
    const tally::SavedCheck check = tally::checkSaved(ds, kind);
    if (!check.problem.empty()) ctx.refuse(check.problem + "\n\n処理を中止します。");
    const int index = parseIndex(ctx, kind, index_);
    // Read once more for the question: a read that fails now is no entry to index.
    const std::vector<tally::SavedEntry> entries = tally::savedEntries(ds, kind);
    if (static_cast<std::size_t>(index) >= entries.size())
      ctx.refuse(std::string(tally::kSavedDamagedLead) + "\n\n処理を中止します。");
    const tally::SavedEntry& entry = entries[static_cast<std::size_t>(index)];
    if (!askOkCancel(ctx.port, tally::savedDeleteQuestion(kind, entry))) throw Refused();
    if (!tally::deleteSavedResult(ds, ctx.port, kind, index)) throw Refused();
  }

 private:
  std::string kind_, index_;
};

}  // namespace

void addSavedCommands(CommandSet& set) {
  set.group("saved", "Saved tally results (保存済集計結果): list, save, show, delete");
  set.addEach<SavedList, SavedSave, SavedShow, SavedDelete>();
}

}  // namespace tovra::cli
