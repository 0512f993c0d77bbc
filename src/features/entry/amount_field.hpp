#pragma once
// The amount fields of the purchase and result dialogs: eight digits typed on the
// keyboard (digits and backspace only) or on the 13-key keypad. Stakes are typed in
// units of 100 yen, payouts in units of 10 yen.
#include <cstdint>
#include <string>

#include "storage/outcome.hpp"

namespace tovra {

inline constexpr int kAmountDigits = 8;

// The field's text as a number: its leading decimal digits (0 when there are none),
// saturated well above anything eight digits hold.
std::int64_t amountValue(const std::string& text);

// Stake in yen for the typed amount, or its refusal ("購入金額を入力して下さい。" for 0 or
// empty; a stake beyond the signed 32-bit field is refused rather than wrapped).
Result<std::int32_t> readStake(const std::string& text);
// Payout in yen for the typed amount: 0 or empty and amounts below 10 are refused.
Result<std::int32_t> readPayout(const std::string& text);

// Keypad keys BitBtn1..BitBtn13: "1".."9", "0", "00", "<<<", "C".
inline constexpr int kKeypadKeys = 13;
const char* keypadCaption(int key);  // key 1..13
// Applies a key to the field; false when the key is refused (the caller beeps).
bool pressKeypad(std::string& field, int key);

}  // namespace tovra
