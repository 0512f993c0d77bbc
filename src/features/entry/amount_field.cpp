#include "features/entry/amount_field.hpp"

#include <cctype>
#include <limits>

#include "features/entry/entry_messages.hpp"

namespace tovra {
namespace {
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kSaturate = std::int64_t{1} << 40;
}  // namespace

std::int64_t amountValue(const std::string& text) {
  std::int64_t v = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) break;
    v = v * 10 + (c - '0');
    if (v > kSaturate) return kSaturate;
  }
  return v;
}

Result<std::int32_t> readStake(const std::string& text) {
  const std::int64_t v = amountValue(text);
  if (v == 0) return Refusal{MsgIcon::Error, msg::kStakeMissing};
  if (v * 100 > kInt32Max) return Refusal{MsgIcon::Error, msg::kStakeTooLarge};
  return static_cast<std::int32_t>(v * 100);
}

Result<std::int32_t> readPayout(const std::string& text) {
  const std::int64_t v = amountValue(text);
  if (v == 0) return Refusal{MsgIcon::Error, msg::kPayoutMissing};
  // Below 10 (100 yen) no payout exists; above the 32-bit field nothing can be stored.
  if (v < 10 || v * 10 > kInt32Max) return Refusal{MsgIcon::Error, msg::kPayoutBad};
  return static_cast<std::int32_t>(v * 10);
}

const char* keypadCaption(int key) {
  static const char* const captions[kKeypadKeys] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "00", "<<<", "C"};
  if (key < 1 || key > kKeypadKeys) return "";
  return captions[key - 1];
}

bool pressKeypad(std::string& field, int key) {
  const std::size_t len = field.size();
  if (key >= 1 && key <= 11 && len >= static_cast<std::size_t>(kAmountDigits)) return false;
  if (key >= 1 && key <= 9) {
    field += static_cast<char>('0' + key);
    return true;
  }
  switch (key) {
    case 10:  // "0": not as the first digit
      if (len == 0) return false;
      field += '0';
      return true;
    case 11:  // "00": only while both digits still fit
      if (len < 1 || len > 6) return false;
      field += "00";
      return true;
    case 12:  // "<<<"
      if (len > 0) field.pop_back();
      return true;
    case 13:  // "C"
      field.clear();
      return true;
    default: return false;
  }
}

}  // namespace tovra
