#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/cli_context.hpp"
#include "ledger/text.hpp"

namespace tovra::cli {

// `meeting list COURSE`: one line per meeting (index, date, kai/nichi, day purchase, day balance).
void addMeetingListCommand(CLI::App& meeting, Context& ctx) {
  auto* list = meeting.add_subcommand("list", "Meetings of a course in the current year");
  static std::string course;
  list->add_option("COURSE", course, "Course code (sap..kok) or index 0-9")->required();
  list->callback([&ctx] {
    DataStore& ds = ctx.requireYear();
    int c = ctx.parseCourse(course);
    for (std::size_t i = 0; const KaisaiRecord& k : ds.readAllMeetings(c)) {
      std::cout << sjprintfUtf8("%zu\t%2d月%2d日\t%d回%d日目\t%ld\t%ld", i++, k.month(), k.day(), k.kai(), k.nichi(),
                                static_cast<long>(k.kounyuGaku[12]), static_cast<long>(k.shushi[12]))
                << "\n";
    }
  });
}

}  // namespace tovra::cli
