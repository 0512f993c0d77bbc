// Printing one of the seven kinds on the system's default printer: the check that a
// default printer exists, the confirmation naming it, then the document drawn page by
// page. The printer itself is a port (the desktop program's Qt back end, a PDF file, a
// test double), so the whole sequence and its messages live here once.
#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "features/print/draw_list.hpp"
#include "storage/ledger.hpp"

namespace tovra {
class BetStore;
class DataStore;
class UserPort;
struct SettingsRecord;
}  // namespace tovra

namespace tovra::print {

enum class PrintKind { Meeting = 1, Race = 2, Runners = 3, Shushi = 4, Koumoku = 5, Rank = 6, Jyoken = 7 };

// The failure messages (title "確認", error icon); nothing is printed after any of them.
inline constexpr const char* kNoPrinterInfo = "印刷するための情報が受け取れません。";
inline constexpr const char* kPrinterNotReady = "プリンタが正常に設定されていません。";
inline constexpr const char* kPrintFailed = "印刷：\n\n異常が発生しました。\n\n処理を中止します。";
// A tally print without its work file.
inline constexpr const char* kNoTallyResult = "集計結果を読み込めませんでした。";

inline constexpr const char* kDocumentName = "MyDoc";

// The confirmation of a kind. Kinds 1-3 name the meeting day and the key's course, kinds 2
// and 3 the race r (0-11); the tally kinds need neither.
std::string confirmationText(PrintKind kind, const DayKey& key, const KaisaiRecord& meeting, int r = 0);
std::string confirmationText(PrintKind kind);
// "現在のﾌﾟﾘﾝﾀ：  %s".
std::string printerLabel(const std::string& printerName);

// A document being drawn.
class PrintDevice {
 public:
  virtual ~PrintDevice() = default;
  virtual bool beginDocument(const std::string& name) = 0;
  // The first page, or the next one.
  virtual bool beginPage() = 0;
  virtual void draw(const DrawText& text) = 0;
  // Ends the document (the last page with it); false when it could not be finished.
  virtual bool endDocument() = 0;
};

class Printer {
 public:
  virtual ~Printer() = default;
  // The default printer's name; nullopt when the system names none.
  virtual std::optional<std::string> defaultPrinterName() = 0;
  // A device on the default printer; nullptr when it cannot be set up.
  virtual std::unique_ptr<PrintDevice> openDefault() = 0;
};

// What one print puts on paper and how it asks for it.
struct PrintJob {
  PrintKind kind = PrintKind::Meeting;
  std::string confirmation;
  Document document;
  std::string fileName;  // the suggested PDF file name, telling what is printed (UTF-8)
};

// The suggested name of a PDF file of a kind: "開催ﾃﾞｰﾀ_2001年12月23日_中山.pdf",
// "ﾚｰｽﾃﾞｰﾀ_..._11R.pdf", "出走馬_..._11R.pdf" (the key's year and course, the meeting's
// date, race r 0-11), "収支集計結果.pdf", "項目集計結果.pdf", "RANK集計結果.pdf", "条件集計結果.pdf".
std::string pdfFileName(PrintKind kind, const DayKey& key, const KaisaiRecord& meeting, int r = 0);
std::string pdfFileName(PrintKind kind);

// The jobs of the race prints, of the meeting day (and race) the window shows. With a
// bet store, the meeting and race data add what it holds of the day or race (馬単, 3連複,
// 3連単, scratches, 全式別); a store without a file, or one that cannot be read, adds
// nothing and the print goes on as the record has it.
PrintJob meetingJob(const DayKey& key, const MeetingDay& day, BetStore* bets = nullptr);
PrintJob raceJob(const DayKey& key, const MeetingDay& day, const SettingsRecord& settings, int r,
                 BetStore* bets = nullptr);
PrintJob runnersJob(const DayKey& key, const MeetingDay& day, int r);
// The jobs of the tally prints, from the tally's work file and what its window shows
// (the income tally: its row position and the year the main window shows, which a
// one-day tally is of); nullopt (after kNoTallyResult) when the work file is missing or
// short.
std::optional<PrintJob> shushiJob(DataStore& ds, UserPort& port, int position, const std::string& currentYear);
std::optional<PrintJob> koumokuJob(DataStore& ds, UserPort& port, int course, int tab);
std::optional<PrintJob> rankJob(DataStore& ds, UserPort& port, int page);
std::optional<PrintJob> jyokenJob(DataStore& ds, UserPort& port);

// Asks whether to print (the kind's text, the printer's name); false stops.
using Confirm = std::function<bool(const std::string& text, const std::string& printerName)>;

// Prints a job on the default printer: no default printer, a printer that cannot be set
// up, a document or page that cannot be started or finished each end with their
// message. True when the document was printed.
bool printOnDefault(Printer& printer, UserPort& port, const Confirm& confirm, const PrintJob& job);
// Draws a document on a device (document, every page, end); kPrintFailed on a failure.
bool drawDocument(PrintDevice& device, UserPort& port, const Document& doc);

}  // namespace tovra::print
