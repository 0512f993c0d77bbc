#include "features/tally/result_words.hpp"

#include "features/tally/jyoken_result.hpp"
#include "features/tally/koumoku_result.hpp"
#include "features/tally/rank_tally.hpp"
#include "features/tally/shushi_tally.hpp"
#include "features/tally/tally_common.hpp"
#include "storage/bytes.hpp"
#include "storage/text.hpp"

namespace tovra::tally {

namespace {

using bytes::getI32;
using bytes::getU16;

constexpr const char* kAllYears = "全年";

// A year text of up to five bytes from a record ("2001" -> "2001年"; empty stays empty).
std::string yearWord(const std::uint8_t* p, std::size_t off, std::size_t size) {
  const std::string year = cp932ToUtf8(fixedText(reinterpret_cast<const char*>(p + off), size));
  return year.empty() ? std::string() : year + "年";
}

// Blanks at both ends removed (the window texts are padded to their panels).
std::string trimmed(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> shushiWords(const std::uint8_t* p, const NenjiTable& nenji, const std::string& dayYear) {
  const int selection = getI32(p, shushi_off::selection);
  const int mode = getI32(p, shushi_off::mode);
  const bool byKai = mode == kShushiAllByKai || mode == kShushiYearByKai;
  const std::string rows = byKai ? "回次別" : "月別";
  switch (mode) {
    case kShushiAllByMonth:
    case kShushiAllByKai: return {kAllYears, rows};
    case kShushiYearByMonth:
    case kShushiYearByKai: {
      const int year = yearAt(nenji, selection);
      if (year <= 0) return {rows};
      return {std::to_string(year) + "年", rows};
    }
    case kShushiDay: {
      const int month = selection / 100, day = selection % 100;
      if (month < 1 || month > 12 || day < 1 || day > 31) return {};
      const std::string date = std::to_string(month) + "月" + std::to_string(day) + "日";
      return {dayYear.empty() ? date : dayYear + "年" + date};
    }
    default: return {};
  }
}

std::vector<std::string> koumokuWords(const std::uint8_t* p) {
  switch (getI32(p, koumoku_off::mode)) {
    case 0: return {kAllYears};
    case 1: return {yearWord(p, koumoku_off::yearText, 5)};
    default: return {};
  }
}

std::vector<std::string> rankWords(const std::uint8_t* p) {
  const int code = getI32(p, rank_file_off::code);
  if (!rankCodeValid(code)) return {};
  return {rankKindTitle(code), code <= 5 ? std::string(kAllYears) : yearWord(p, rank_file_off::nen, 5)};
}

std::vector<std::string> jyokenWords(const std::uint8_t* p) {
  std::vector<std::string> words;
  switch (getI32(p, jyoken_off::rangeFlag)) {
    case 0: words.push_back(kAllYears); break;
    case 1: words.push_back(yearWord(p, jyoken_off::yearText, 5)); break;
    default: return {};
  }
  for (int i = 0; i < kMaxJyoken; ++i) {
    const int kind = static_cast<std::int16_t>(getU16(p, jyoken_off::conditions + 4 * static_cast<std::size_t>(i)));
    const int value =
        static_cast<std::int16_t>(getU16(p, jyoken_off::conditions + 4 * static_cast<std::size_t>(i) + 2));
    if (kind == 0) break;
    if (kind < 1 || kind >= static_cast<int>(JyokenKind::Bet)) return {};
    words.push_back(trimmed(jyokenResultText(static_cast<JyokenKind>(kind), value)));
  }
  const int bet = static_cast<std::int16_t>(getU16(p, jyoken_off::betType));
  if (bet != 0) words.push_back(trimmed(jyokenResultText(JyokenKind::Bet, bet)));
  return words;
}

}  // namespace

ByteSpan resultWordsSpan(TallyKind kind) {
  switch (kind) {
    case TallyKind::Shushi: return {shushi_off::selection, shushi_off::mode + 4};
    case TallyKind::Koumoku: return {koumoku_off::mode, koumoku_off::yearText + 5};
    case TallyKind::Rank: return {rank_file_off::code, rank_file_off::timeStamp};
    case TallyKind::Jyoken: return {jyoken_off::rangeFlag, jyoken_off::timeStamp};
  }
  return {};
}

std::vector<std::string> resultWords(TallyKind kind, const std::uint8_t* record, const NenjiTable& nenji,
                                     const std::string& dayYear) {
  std::vector<std::string> words;
  switch (kind) {
    case TallyKind::Shushi: words = shushiWords(record, nenji, dayYear); break;
    case TallyKind::Koumoku: words = koumokuWords(record); break;
    case TallyKind::Rank: words = rankWords(record); break;
    case TallyKind::Jyoken: words = jyokenWords(record); break;
  }
  // A word left empty (a year text missing from the file, a value without its text) says nothing.
  std::erase_if(words, [](const std::string& w) { return w.empty(); });
  return words;
}

std::string joinWords(const std::vector<std::string>& words, const std::string& separator) {
  std::string out;
  for (const std::string& w : words) out += (out.empty() ? "" : separator) + w;
  return out;
}

}  // namespace tovra::tally
