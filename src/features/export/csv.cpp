#include "features/export/csv.hpp"

#include <cmath>
#include <cstdio>
#include <sstream>

#include "storage/fileio.hpp"
#include "storage/user_port.hpp"

namespace tovra::exports {

namespace {

bool needsQuotes(const std::string& s) { return s.find_first_of(",\"\r\n") != std::string::npos; }

std::string quotedCell(const std::string& s) {
  std::string out = "\"";
  for (char ch : s) {
    if (ch == '"') out += '"';
    out += ch;
  }
  return out + "\"";
}

// A text a spreadsheet would read as a formula.
bool formulaLike(const std::string& s) {
  return !s.empty() && (s[0] == '=' || s[0] == '+' || s[0] == '-' || s[0] == '@' || s[0] == '\t' || s[0] == '\r');
}

}  // namespace

CsvCell CsvCell::text(const std::string& utf8) {
  std::string s = formulaLike(utf8) ? "'" + utf8 : utf8;
  return CsvCell(needsQuotes(s) ? quotedCell(s) : s);
}

CsvCell CsvCell::integer(std::int64_t v) { return CsvCell(std::to_string(v)); }

CsvCell CsvCell::rate(std::optional<double> percent) {
  if (!percent || !std::isfinite(*percent)) return empty();
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.1f", *percent);
  return CsvCell(buf);
}

CsvTable::CsvTable(const std::vector<std::string>& header) : columns_(header.size()), text_(kUtf8Bom) {
  std::vector<std::string> cells;
  for (const std::string& h : header) cells.push_back(CsvCell::text(h).csv());
  line(cells);
}

void CsvTable::add(const std::vector<CsvCell>& row) {
  std::vector<std::string> cells;
  for (const CsvCell& c : row) cells.push_back(c.csv());
  // Every row has the header's columns, so that the spreadsheet's columns stay in step.
  cells.resize(columns_);
  line(cells);
  ++rows_;
}

void CsvTable::line(const std::vector<std::string>& cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i) text_ += ',';
    text_ += cells[i];
  }
  text_ += "\r\n";
}

std::string trimmed(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::string closedUp(const std::string& s) {
  std::istringstream in(s);
  std::string word, out;
  while (in >> word) out += (out.empty() ? "" : " ") + word;
  return out;
}

bool writeCsvFile(FileSystem& fs, UserPort& port, const std::filesystem::path& path, const CsvTable& table) {
  if (writeOutputFile(fs, path, table.text().data(), table.text().size())) return true;
  showError(port, "CSVﾌｧｲﾙを書き込めませんでした。\n\n" + path.string());
  return false;
}

}  // namespace tovra::exports
