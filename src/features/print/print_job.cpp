#include "features/print/print_job.hpp"

#include "features/print/bets_print.hpp"
#include "features/print/layouts.hpp"
#include "features/tally/jyoken_tally.hpp"
#include "features/tally/koumoku_tally.hpp"
#include "features/tally/rank_tally.hpp"
#include "features/tally/shushi_tally.hpp"
#include "storage/datastore.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"

namespace tovra::print {

std::string confirmationText(PrintKind kind, const DayKey& key, const KaisaiRecord& k, int r) {
  const std::string course = sj(keibajo(key.course).name);
  switch (kind) {
    case PrintKind::Meeting:
      return sjprintfUtf8("%2d月%2d日 %d回 %d日目    %s競馬場の\n\n開催ﾃﾞｰﾀを印刷します。", k.month(), k.day(), k.kai(),
                          k.nichi(), course.c_str());
    case PrintKind::Race:
      return sjprintfUtf8("%2d月%2d日 %d回 %d日目  %s競馬場  %dRの\n\nﾚｰｽﾃﾞｰﾀを印刷します。", k.month(), k.day(),
                          k.kai(), k.nichi(), course.c_str(), r + 1);
    case PrintKind::Runners:
      return sjprintfUtf8("%2d月%2d日 %d回 %d日目  %s競馬場  %dRの\n\n出走馬を印刷します。", k.month(), k.day(),
                          k.kai(), k.nichi(), course.c_str(), r + 1);
    default: return confirmationText(kind);
  }
  return {};
}

std::string confirmationText(PrintKind kind) {
  switch (kind) {
    case PrintKind::Shushi: return "表示されている収支集計結果を\n\n印刷します。";
    case PrintKind::Koumoku: return "表示されている項目集計結果を\n\n印刷します。";
    case PrintKind::Rank: return "表示されているRANK集計結果を\n\n印刷します。";
    case PrintKind::Jyoken: return "表示されている条件集計結果を\n\n印刷します。";
    default: break;
  }
  return {};
}

std::string printerLabel(const std::string& printerName) { return "現在のﾌﾟﾘﾝﾀ：  " + printerName; }

std::string pdfFileName(PrintKind kind, const DayKey& key, const KaisaiRecord& k, int r) {
  const std::string day =
      key.year + "年" + std::to_string(k.month()) + "月" + std::to_string(k.day()) + "日_" + keibajo(key.course).name;
  // Appended to one string: GCC 12 at -O3 warns (-Wrestrict) about "_" + a temporary.
  std::string race(1, '_');
  race += std::to_string(r + 1);
  race += 'R';
  switch (kind) {
    case PrintKind::Meeting: return "開催ﾃﾞｰﾀ_" + day + ".pdf";
    case PrintKind::Race: return "ﾚｰｽﾃﾞｰﾀ_" + day + race + ".pdf";
    case PrintKind::Runners: return "出走馬_" + day + race + ".pdf";
    default: return pdfFileName(kind);
  }
}

std::string pdfFileName(PrintKind kind) {
  switch (kind) {
    case PrintKind::Shushi: return "収支集計結果.pdf";
    case PrintKind::Koumoku: return "項目集計結果.pdf";
    case PrintKind::Rank: return "RANK集計結果.pdf";
    case PrintKind::Jyoken: return "条件集計結果.pdf";
    default: break;
  }
  return "印刷.pdf";
}

PrintJob meetingJob(const DayKey& key, const MeetingDay& day, BetStore* bets) {
  const std::optional<DayBets> stored = bets ? printedDayBets(*bets, key, day) : std::nullopt;
  return {PrintKind::Meeting, confirmationText(PrintKind::Meeting, key, day.meeting),
          meetingDocument(key, day, stored ? &*stored : nullptr), pdfFileName(PrintKind::Meeting, key, day.meeting)};
}

PrintJob raceJob(const DayKey& key, const MeetingDay& day, const SettingsRecord& settings, int r, BetStore* bets) {
  const std::optional<RaceBets> stored = bets ? printedRaceBets(*bets, key, day, r) : std::nullopt;
  return {PrintKind::Race, confirmationText(PrintKind::Race, key, day.meeting, r),
          raceDocument(key, day, settings, r, stored ? &*stored : nullptr),
          pdfFileName(PrintKind::Race, key, day.meeting, r)};
}

PrintJob runnersJob(const DayKey& key, const MeetingDay& day, int r) {
  return {PrintKind::Runners, confirmationText(PrintKind::Runners, key, day.meeting, r), runnersDocument(key, day, r),
          pdfFileName(PrintKind::Runners, key, day.meeting, r)};
}

namespace {
// A tally job from its work file, or the message when there is none to print.
template <typename Result, typename Build>
std::optional<PrintJob> tallyJob(UserPort& port, PrintKind kind, const std::optional<Result>& result, Build build) {
  if (!result) {
    showError(port, kNoTallyResult);
    return std::nullopt;
  }
  return PrintJob{kind, confirmationText(kind), build(*result), pdfFileName(kind)};
}
}  // namespace

std::optional<PrintJob> shushiJob(DataStore& ds, UserPort& port, int position, const std::string& currentYear) {
  return tallyJob(port, PrintKind::Shushi, tally::readShushiFile(ds),
                  [&](const tally::ShushiResult& r) { return shushiDocument(r, position, ds.nenji, currentYear); });
}

std::optional<PrintJob> koumokuJob(DataStore& ds, UserPort& port, int course, int tab) {
  return tallyJob(port, PrintKind::Koumoku, tally::readKoumokuFile(ds),
                  [&](const tally::KoumokuResult& r) { return koumokuDocument(r, course, tab); });
}

std::optional<PrintJob> rankJob(DataStore& ds, UserPort& port, int page) {
  return tallyJob(port, PrintKind::Rank, tally::readRankFile(ds),
                  [&](const tally::RankResult& r) { return rankDocument(r, page); });
}

std::optional<PrintJob> jyokenJob(DataStore& ds, UserPort& port) {
  return tallyJob(port, PrintKind::Jyoken, tally::readJyokenFile(ds),
                  [&](const tally::JyokenResult& r) { return jyokenDocument(r); });
}

bool drawDocument(PrintDevice& device, UserPort& port, const Document& doc) {
  if (!device.beginDocument(kDocumentName)) {
    showError(port, kPrintFailed);
    return false;
  }
  for (const Page& page : doc.pages) {
    if (!device.beginPage()) {
      device.endDocument();
      showError(port, kPrintFailed);
      return false;
    }
    for (const DrawText& t : page) device.draw(t);
  }
  if (!device.endDocument()) {
    showError(port, kPrintFailed);
    return false;
  }
  return true;
}

bool printOnDefault(Printer& printer, UserPort& port, const Confirm& confirm, const PrintJob& job) {
  const std::optional<std::string> name = printer.defaultPrinterName();
  if (!name || name->empty()) {
    showError(port, kNoPrinterInfo);
    return false;
  }
  if (!confirm(job.confirmation, *name)) return false;
  std::unique_ptr<PrintDevice> device = printer.openDefault();
  if (!device) {
    showError(port, kPrinterNotReady);
    return false;
  }
  return drawDocument(*device, port, job.document);
}

}  // namespace tovra::print
