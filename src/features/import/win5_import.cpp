#include "features/import/win5_import.hpp"

#include "storage/records.hpp"

namespace tovra {

std::string win5LegsText(const std::array<Win5Leg, kWin5LegCount>& legs) {
  std::string s;
  for (const Win5Leg& l : legs) {
    if (!s.empty()) s += ' ';
    s += l.course >= 0 && l.course < kCourseCount ? keibajo(l.course).name : "?";
    s += std::to_string(l.race);
    s += 'R';
  }
  return s;
}

std::string win5YenText(std::int64_t yen) {
  const std::string digits = std::to_string(yen < 0 ? -yen : yen);
  std::string s = yen < 0 ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) s += ',';
    s += digits[i];
  }
  s += "円";
  return s;
}

std::string win5LegsDifferText(const std::array<Win5Leg, kWin5LegCount>& held,
                               const std::array<Win5Leg, kWin5LegCount>& read) {
  std::string s = msg::kWin5ImportHead;
  s += msg::kWin5LegsDiffer;
  s += " (登録済み：";
  s += win5LegsText(held);
  s += " ／ 読み込んだﾌｧｲﾙ：";
  s += win5LegsText(read);
  s += ")";
  return s;
}

Result<Done> storeWin5Import(BetStore& store, const Win5Date& date, const Win5Import& import) {
  Win5Store w5(store);
  const Result<Win5Imported> done = w5.applyImport(date, import);
  if (done.failed()) return done.failure();
  if (done.refused()) return done.refusal();
  switch (done->state) {
    case Win5Imported::State::Written:
      return Done{};
    case Win5Imported::State::LegsDiffer:
      return Refusal{MsgIcon::Warning, win5LegsDifferText(done->held, import.legs.value_or(done->held))};
    case Win5Imported::State::NoLegs:
      break;
  }
  return Refusal{MsgIcon::Warning, std::string(msg::kWin5ImportHead) + msg::kWin5NoLegsYet};
}

}  // namespace tovra
