// `print meeting|race|shushi|koumoku|rank|jyoken`: a meeting day, a race or a tally
// result (print kinds 1-7) on the default printer, or as a PDF file.
#include <CLI/CLI.hpp>
#include <filesystem>

#include "cli/cli_context.hpp"
#include "cli/day_args.hpp"
#include "cli/parsers.hpp"
#include "domain/race_state.hpp"
#include "features/print/bets_print.hpp"
#include "features/print/print_job.hpp"
#include "features/tally/rank_tally.hpp"

namespace tovra::cli {

namespace {

constexpr const char* kNoPrinting = "このtovra-cliは印刷機能 (Qt PrintSupport) なしで作られています。";

// A print command: the --pdf option, and the output of its job.
class PrintCommand : public Command {
 public:
  PrintCommand(std::string name, std::string help)
      : Command("print", std::move(name), std::move(help), Writes::Nothing) {}

 protected:
  // --pdf FILE, taken relative to the folder the command is run from (not -C's).
  void definePdf(CLI::App& app) {
    app.add_option("--pdf", pdf_, "Write a PDF file (A4) instead of printing on the default printer")
        ->each([this](const std::string& v) { pdf_ = absoluteFileOption(v); });
  }
  // The job goes into a PDF file, or onto the default printer after the confirmation
  // that names it (answered by --yes, refused without a terminal).
  void output(Context& ctx, const print::PrintJob& job) {
    if (!ctx.printBackend) ctx.refuse(kNoPrinting);
    std::unique_ptr<print::PrintBackend> backend = ctx.printBackend();
    if (!pdf_.empty()) {
      auto device = backend->pdfFile(ctx.ds->fs(), pdf_);
      if (!print::drawDocument(*device, ctx.port, job.document)) throw Refused();
      return;
    }
    auto confirm = [&](const std::string& text, const std::string& printer) {
      return ctx.port.message("印刷", text + "\n\n" + print::printerLabel(printer), MsgIcon::Information,
                              MsgButtons::OkCancel) == Answer::Ok;
    };
    if (!print::printOnDefault(backend->systemPrinter(), ctx.port, confirm, job)) throw Refused();
  }
  // A tally's job, or the refusal its reader has shown.
  void output(Context& ctx, const std::optional<print::PrintJob>& job) {
    if (!job) throw Refused();
    output(ctx, *job);
  }

 private:
  std::string pdf_;
};

class PrintMeeting : public PrintCommand {  // kind 1
 public:
  PrintMeeting()
      : PrintCommand("meeting", "開催ﾃﾞｰﾀ: the races and totals of a meeting day, then each race's 馬単, 3連複, 3連単 "
                                "and the day's 全式別 figures") {}
  void define(CLI::App& app) override {
    args_.define(app);
    definePdf(app);
  }
  void run(Context& ctx) override {
    const DayKey key = dayKey(ctx, args_);
    output(ctx, print::meetingJob(key, readDay(ctx, key), &ctx.bets()));
  }

 private:
  MeetingArgs args_;
};

class PrintRace : public PrintCommand {  // kinds 2 and 3
 public:
  PrintRace()
      : PrintCommand("race", "ﾚｰｽﾃﾞｰﾀ of a race (with its 馬単, 3連複, 3連単 and 全式別 figures), or its runners "
                             "(出走馬) with --runners") {}
  void define(CLI::App& app) override {
    args_.define(app);
    app.add_flag("--runners", runners_, "Print the runners (the race window's 出走馬表 page)");
    definePdf(app);
  }
  void run(Context& ctx) override {
    const RaceAddress at = raceAddress(ctx, args_);
    const int r = at.race;
    const DayKey& key = at.day;
    const MeetingDay day = readDay(ctx, key);
    // The race window offers printing only for a race holding data (in its record or in
    // the bet store).
    if (!raceHoldsData(day.meeting.raceJoutai[r]) && !print::printedRaceBets(ctx.bets(), key, day, r))
      ctx.refuse(std::to_string(r + 1) + "Rにはﾚｰｽﾃﾞｰﾀがありません。");
    output(ctx, runners_ ? print::runnersJob(key, day, r) : print::raceJob(key, day, ctx.settings, r, &ctx.bets()));
  }

 private:
  RaceArgs args_;
  bool runners_ = false;
};

class PrintShushi : public PrintCommand {  // kind 4
 public:
  PrintShushi() : PrintCommand("shushi", "収支集計 result of tmp/shushi.tmp") {}
  void define(CLI::App& app) override {
    app.add_option("--row", row_, "Row shown: 0 = all, 1-12 = month or meeting number")->check(CLI::Range(0, 12));
    definePdf(app);
  }
  void run(Context& ctx) override {
    ctx.prepare();
    output(ctx, print::shushiJob(*ctx.ds, ctx.port, row_, ctx.ds->year));
  }

 private:
  int row_ = 0;
};

class PrintKoumoku : public PrintCommand {  // kind 5
 public:
  PrintKoumoku() : PrintCommand("koumoku", "項目集計 result of tmp/koumoku.tmp") {}
  void define(CLI::App& app) override {
    app.add_option("--course", course_, "Course shown: sap..kok or 0-9, or all (default)");
    app.add_option("--page", page_, "Page shown: 1-9 (ﾚｰｽNO .. その他)")->check(CLI::Range(1, 9));
    definePdf(app);
  }
  void run(Context& ctx) override {
    ctx.prepare();
    const int n = course_ == "all" ? 10 : parseCourse(ctx, course_);
    output(ctx, print::koumokuJob(*ctx.ds, ctx.port, n, page_ - 1));
  }

 private:
  std::string course_ = "all";
  int page_ = 1;
};

class PrintRank : public PrintCommand {  // kind 6
 public:
  PrintRank() : PrintCommand("rank", "RANK集計 result of tmp/rank.tmp") {}
  void define(CLI::App& app) override {
    app.add_option("--page", page_, "Page shown: 0-14 (3 races a page) or 0-8 (5 days a page)");
    definePdf(app);
  }
  void run(Context& ctx) override {
    ctx.prepare();
    // The page must be one the window can show for the stored kind.
    if (auto stored = tally::readRankFile(*ctx.ds); stored && tally::rankCodeValid(stored->code)) {
      const int pages = tally::rankPageCount(stored->code);
      if (page_ < 0 || page_ >= pages) ctx.refuse("ﾍﾟｰｼﾞは 0～" + std::to_string(pages - 1) + " で指定して下さい。");
    }
    output(ctx, print::rankJob(*ctx.ds, ctx.port, page_));
  }

 private:
  int page_ = 0;
};

class PrintJyoken : public PrintCommand {  // kind 7
 public:
  PrintJyoken() : PrintCommand("jyoken", "条件集計 result of tmp/jyoken.tmp") {}
  void define(CLI::App& app) override { definePdf(app); }
  void run(Context& ctx) override {
    ctx.prepare();
    output(ctx, print::jyokenJob(*ctx.ds, ctx.port));
  }
};

}  // namespace

void addPrintCommands(CommandSet& set) {
  set.group("print", "Print a meeting day, a race or a tally result (kinds 1-7), or write it as PDF");
  set.addEach<PrintMeeting, PrintRace, PrintShushi, PrintKoumoku, PrintRank, PrintJyoken>();
}

}  // namespace tovra::cli
