#include "features/search/search_input.hpp"

#include <cctype>
#include <cstdint>

#include "features/search/search_engine.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"

namespace tovra::search {
namespace {

// An amount box's number: up to four digits, or the list's 10000; -1 for anything else.
int amountOf(const std::string& text) {
  if (text == "10000") return 10000;
  if (text.size() > 4) return -1;
  int v = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
    v = v * 10 + (c - '0');
  }
  return v;
}

// A 高額指定 amount: one to nine digits; -1 for anything else.
std::int64_t yenOf(const std::string& text) {
  if (text.empty() || text.size() > 9) return -1;
  std::int64_t v = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
    v = v * 10 + (c - '0');
  }
  return v;
}

}  // namespace

std::optional<std::string> acceptNameText(UserPort& port, SearchType type, const std::string& utf8) {
  const auto cp932 = utf8ToCp932(utf8);
  if (!cp932) {
    showError(port, kTextChars);
    return std::nullopt;
  }
  const std::size_t least = type == SearchType::RaceMei ? 2 : 1;
  if (cp932->size() < least) {
    showError(port, kTextMissing);
    return std::nullopt;
  }
  if (cp932->size() > kTextMaxBytes || cp932->find('\0') != std::string::npos) {
    showError(port, cp932->size() > kTextMaxBytes ? kTextLength : kTextChars);
    return std::nullopt;
  }
  return cp932;
}

std::optional<PayoutRange> acceptPayoutAmounts(UserPort& port, const std::string& lower, const std::string& upper) {
  const auto refuse = [&](const char* text) -> std::optional<PayoutRange> {
    showError(port, text);
    return std::nullopt;
  };
  if (lower.empty()) return refuse(kAmountMissing);
  const int lo = amountOf(lower);
  if (lo < 100) return refuse(kAmountBad);
  if (upper.empty()) return refuse(kAmountMissing);
  const int hi = amountOf(upper);
  if (hi < 100 || hi <= lo) return refuse(kAmountBad);
  return PayoutRange{false, lo, hi};
}

std::optional<PayoutRange> acceptPayoutYen(UserPort& port, const std::string& lower, const std::string& upper) {
  const auto refuse = [&](const char* text) -> std::optional<PayoutRange> {
    showError(port, text);
    return std::nullopt;
  };
  if (lower.empty()) return refuse(kAmountMissing);
  const std::int64_t lo = yenOf(lower);
  if (lo < 100) return refuse(kAmountBad);
  if (upper.empty()) return refuse(kAmountMissing);
  const std::int64_t hi = yenOf(upper);
  if (hi < lo) return refuse(kAmountBad);
  return PayoutRange{false, static_cast<std::int32_t>(lo), static_cast<std::int32_t>(hi)};
}

}  // namespace tovra::search
