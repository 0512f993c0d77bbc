#pragma once
// CSV as spreadsheet programs import it: UTF-8 with a byte-order mark (so that the
// Japanese text is read as UTF-8), comma-separated, CRLF line ends, one header row.
// Money is a plain integer of yen, rates have one decimal, and a cell is quoted only when
// it holds a comma, a quote or a line break.
//
// Texts that come from outside the program (race and horse names read from import
// files) could start with "=", "+", "-" or "@", which a spreadsheet would run as a
// formula: such a text cell gets a leading apostrophe, which the spreadsheet shows as
// plain text. Number cells are never changed.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tovra {
class FileSystem;
class UserPort;
}  // namespace tovra

namespace tovra::exports {

inline constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";

// One cell, already in its CSV form (quoted when needed).
class CsvCell {
 public:
  static CsvCell text(const std::string& utf8);
  static CsvCell integer(std::int64_t v);
  // One decimal ("75.0"); an empty cell for none.
  static CsvCell rate(std::optional<double> percent);
  static CsvCell empty() { return CsvCell(""); }
  const std::string& csv() const { return csv_; }

 private:
  explicit CsvCell(std::string csv) : csv_(std::move(csv)) {}
  std::string csv_;
};

// A whole table: the header row and the data rows, in the file's text form.
class CsvTable {
 public:
  explicit CsvTable(const std::vector<std::string>& header);
  void add(const std::vector<CsvCell>& row);
  std::size_t columns() const { return columns_; }
  std::size_t rows() const { return rows_; }
  // The file's bytes: the byte-order mark, the header, the rows.
  const std::string& text() const { return text_; }

 private:
  void line(const std::vector<std::string>& cells);
  std::size_t columns_;
  std::size_t rows_ = 0;
  std::string text_;
};

// Window texts as cells: without the blanks they are padded with, and with every run of
// blanks inside closed up to one.
std::string trimmed(const std::string& s);
std::string closedUp(const std::string& s);

// Writes the table whole (a new file beside the target, synced and renamed). False after
// the message "CSVﾌｧｲﾙを書き込めませんでした。" with the path.
bool writeCsvFile(FileSystem& fs, UserPort& port, const std::filesystem::path& path, const CsvTable& table);

}  // namespace tovra::exports
