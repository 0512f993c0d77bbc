#include "features/export/csv_names.hpp"

#include <string_view>

#include "features/tally/result_words.hpp"
#include "features/tally/tally_common.hpp"
#include "storage/text.hpp"

namespace tovra::exports {

namespace {

constexpr std::string_view kFullWidthBlank = "\u3000";

std::string fileWord(std::string_view word) {
  std::string out;
  for (std::size_t i = 0; i < word.size();) {
    if (word.substr(i).starts_with(kFullWidthBlank)) {
      i += kFullWidthBlank.size();
      continue;
    }
    const char c = word[i++];
    if (c == ' ') continue;
    const bool unsafe = static_cast<unsigned char>(c) < 0x20 || c == 0x7f ||
                        std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
    out += unsafe ? '_' : c;
  }
  return out;
}

// The rest of the summary line that starts with `label`, from after its "： "; empty
// when there is no such line.
std::string afterLabel(const std::string& summary, std::string_view label) {
  constexpr std::string_view kColon = "： ";
  std::size_t start = 0;
  while (start <= summary.size()) {
    std::size_t end = summary.find('\n', start);
    if (end == std::string::npos) end = summary.size();
    const std::string_view line(summary.data() + start, end - start);
    if (line.starts_with(label)) {
      const std::size_t colon = line.find(kColon);
      return colon == std::string_view::npos ? std::string() : std::string(line.substr(colon + kColon.size()));
    }
    start = end + 1;
  }
  return {};
}

// Words split at blanks.
std::vector<std::string> blankSeparated(const std::string& text) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t end = text.find(' ', i);
    const std::string w = text.substr(i, end == std::string::npos ? std::string::npos : end - i);
    if (!w.empty()) words.push_back(w);
    if (end == std::string::npos) break;
    i = end + 1;
  }
  return words;
}

}  // namespace

std::string csvFileName(const std::string& kind, const std::vector<std::string>& words) {
  std::string name = fileWord(kind);
  for (const std::string& w : words) {
    const std::string word = fileWord(w);
    if (!word.empty()) name += (name.empty() ? "" : "_") + word;
  }
  return name + ".csv";
}

std::string tallyCsvFileName(tally::TallyKind kind, const std::uint8_t* record, const NenjiTable& nenji,
                             const std::string& dayYear, int course) {
  std::vector<std::string> words = tally::resultWords(kind, record, nenji, dayYear);
  if (course >= 0 && course < kCourseCount) words.push_back(tally::courseName(course));
  return csvFileName(tally::tallyKindInfo(kind).title, words);
}

std::string searchCsvFileName(const std::string& title, const std::string& summary) {
  constexpr std::string_view kDone = "終了";
  std::string kind = title;
  if (std::string_view(kind).ends_with(kDone)) kind.resize(kind.size() - kDone.size());
  std::vector<std::string> words;
  // "検索範囲： 全データ      的中ﾚｰｽのみ"
  for (const std::string& w : blankSeparated(afterLabel(summary, "検索範囲")))
    words.push_back(w == "全データ" || w == "全ﾃﾞｰﾀ" ? "全年" : w);
  // The third line: "検索ﾚｰｽ名 (文字列 )： ...", "検索重賞： ...", "検索配当金額： ...".
  std::string searched;
  for (std::string_view label : {"検索ﾚｰｽ名", "検索馬名", "検索重賞", "検索配当金額"}) {
    searched = afterLabel(summary, label);
    if (!searched.empty()) break;
  }
  const auto bytes = utf8ToCp932(searched);
  if (bytes && bytes->size() <= kCsvNameTextBytes) words.push_back(searched);
  return csvFileName(kind, words);
}

}  // namespace tovra::exports
