#include <CLI/CLI.hpp>
#include <filesystem>

#include "cli/cli_context.hpp"
#include "print/print_job.hpp"
#include "tally/rank_tally.hpp"

namespace tovra::cli {

namespace {

constexpr const char* kNoPrinting = "このtovra-cliは印刷機能 (Qt PrintSupport) なしで作られています。";

// The job goes into a PDF file, or onto the default printer after the confirmation
// that names it (answered by --yes, refused without a terminal).
void output(Context& ctx, const print::PrintJob& job, const std::string& pdf) {
  if (!ctx.printBackend) ctx.refuse(kNoPrinting);
  std::unique_ptr<print::PrintBackend> backend = ctx.printBackend();
  if (!pdf.empty()) {
    auto device = backend->pdfFile(ctx.ds->fs(), pdf);
    if (!print::drawDocument(*device, ctx.port, job.document)) throw Refused();
    return;
  }
  auto confirm = [&](const std::string& text, const std::string& printer) {
    return ctx.port.message("印刷", text + "\n\n" + print::printerLabel(printer), MsgIcon::Information,
                            MsgButtons::OkCancel) == Answer::Ok;
  };
  if (!print::printOnDefault(backend->systemPrinter(), ctx.port, confirm, job)) throw Refused();
}

// --pdf FILE, taken relative to the folder the command is run from (not -C's).
CLI::Option* addPdf(CLI::App* cmd, std::string& pdf) {
  return cmd->add_option("--pdf", pdf, "Write a PDF file (A4) instead of printing on the default printer")
      ->each([&pdf](const std::string& v) { pdf = std::filesystem::absolute(v).string(); });
}

int parseRace(Context& ctx, int race) {
  if (race < 1 || race > 12) ctx.refuse("ﾚｰｽ番号は 1～12 で指定して下さい。");
  return race - 1;
}

}  // namespace

void addPrintCommands(CLI::App& app, Context& ctx) {
  auto* print = app.add_subcommand("print", "Print a meeting day, a race or a tally result (kinds 1-7), or write it as PDF");
  print->require_subcommand(1);

  {  // kind 1
    auto* cmd = print->add_subcommand("meeting", "開催ﾃﾞｰﾀ: the races and totals of a meeting day");
    static std::string course, pdf;
    static int index = 0;
    cmd->add_option("COURSE", course, "Course code (sap..kok) or 0-9")->required();
    cmd->add_option("INDEX", index, "Meeting index (0-based)")->required();
    addPdf(cmd, pdf);
    cmd->callback([&ctx] {
      ctx.selectMeeting(ctx.parseCourse(course), index);
      output(ctx, print::meetingJob(*ctx.ds), pdf);
    });
  }
  {  // kinds 2 and 3
    auto* cmd = print->add_subcommand("race", "ﾚｰｽﾃﾞｰﾀ of a race, or its runners (出走馬) with --runners");
    static std::string course, pdf;
    static int index = 0, race = 0;
    static bool runners = false;
    cmd->add_option("COURSE", course, "Course code (sap..kok) or 0-9")->required();
    cmd->add_option("INDEX", index, "Meeting index (0-based)")->required();
    cmd->add_option("RACE", race, "Race number 1-12")->required();
    cmd->add_flag("--runners", runners, "Print the runners (the race window's 出走馬表 page)");
    addPdf(cmd, pdf);
    cmd->callback([&ctx] {
      const int r = parseRace(ctx, race);
      ctx.selectMeeting(ctx.parseCourse(course), index);
      DataStore& ds = *ctx.ds;
      // The race window offers printing only for a race holding data.
      if (ds.kaisai.raceJoutai[r] % 10 == 0) ctx.refuse(std::to_string(race) + "Rにはﾚｰｽﾃﾞｰﾀがありません。");
      output(ctx, runners ? print::runnersJob(ds, r) : print::raceJob(ds, ctx.settings, r), pdf);
    });
  }
  {  // kind 4
    auto* cmd = print->add_subcommand("shushi", "収支集計 result of tmp/shushi.tmp");
    static std::string pdf;
    static int row = 0;
    cmd->add_option("--row", row, "Row shown: 0 = all, 1-12 = month or meeting number")->check(CLI::Range(0, 12));
    addPdf(cmd, pdf);
    cmd->callback([&ctx] {
      ctx.prepare();
      if (auto job = print::shushiJob(*ctx.ds, ctx.port, row)) return output(ctx, *job, pdf);
      throw Refused();
    });
  }
  {  // kind 5
    auto* cmd = print->add_subcommand("koumoku", "項目集計 result of tmp/koumoku.tmp");
    static std::string course = "all", pdf;
    static int page = 1;
    cmd->add_option("--course", course, "Course shown: sap..kok or 0-9, or all (default)");
    cmd->add_option("--page", page, "Page shown: 1-9 (ﾚｰｽNO .. その他)")->check(CLI::Range(1, 9));
    addPdf(cmd, pdf);
    cmd->callback([&ctx] {
      ctx.prepare();
      const int n = course == "all" ? 10 : ctx.parseCourse(course);
      if (auto job = print::koumokuJob(*ctx.ds, ctx.port, n, page - 1)) return output(ctx, *job, pdf);
      throw Refused();
    });
  }
  {  // kind 6
    auto* cmd = print->add_subcommand("rank", "RANK集計 result of tmp/rank.tmp");
    static std::string pdf;
    static int page = 0;
    cmd->add_option("--page", page, "Page shown: 0-14 (3 races a page) or 0-8 (5 days a page)");
    addPdf(cmd, pdf);
    cmd->callback([&ctx] {
      ctx.prepare();
      // The page must be one the window can show for the stored kind.
      if (auto stored = tally::readRankFile(*ctx.ds); stored && tally::rankCodeValid(stored->code)) {
        const int pages = tally::rankPageCount(stored->code);
        if (page < 0 || page >= pages) ctx.refuse("ﾍﾟｰｼﾞは 0～" + std::to_string(pages - 1) + " で指定して下さい。");
      }
      if (auto job = print::rankJob(*ctx.ds, ctx.port, page)) return output(ctx, *job, pdf);
      throw Refused();
    });
  }
  {  // kind 7
    auto* cmd = print->add_subcommand("jyoken", "条件集計 result of tmp/jyoken.tmp");
    static std::string pdf;
    addPdf(cmd, pdf);
    cmd->callback([&ctx] {
      ctx.prepare();
      if (auto job = print::jyokenJob(*ctx.ds, ctx.port)) return output(ctx, *job, pdf);
      throw Refused();
    });
  }
}

}  // namespace tovra::cli
