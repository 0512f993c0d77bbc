#include "features/tally/jyoken_result.hpp"

#include <bit>

#include "storage/bytes.hpp"

namespace tovra::tally {

namespace o = jyoken_off;

void JyokenResult::encode(std::uint8_t* out) const {
  using namespace bytes;
  for (int i = 0; i < kJyokenRows; ++i) {
    const std::size_t at = 4 * static_cast<std::size_t>(i);
    putI32(out, o::purchase + at, purchase[i]);
    putI32(out, o::balance + at, balance[i]);
    putU32(out, o::recovery + at, std::bit_cast<std::uint32_t>(recovery[i]));
    putU32(out, o::hitRate + at, std::bit_cast<std::uint32_t>(hitRate[i]));
  }
  putI32(out, o::rangeFlag, rangeFlag);
  putRaw(out, o::yearText, yearText, sizeof yearText);
  for (std::size_t i = 0; i < conditions.size(); ++i) {
    putU16(out, o::conditions + 4 * i, static_cast<std::uint16_t>(conditions[i].kind));
    putU16(out, o::conditions + 4 * i + 2, static_cast<std::uint16_t>(conditions[i].value));
  }
  putU16(out, o::betType, static_cast<std::uint16_t>(betType));
  putRaw(out, o::timeStamp, timeStamp, sizeof timeStamp);
}

bool JyokenResult::decode(const std::uint8_t* in, std::size_t size) {
  using namespace bytes;
  if (size < kSize) return false;
  for (int i = 0; i < kJyokenRows; ++i) {
    const std::size_t at = 4 * static_cast<std::size_t>(i);
    purchase[i] = getI32(in, o::purchase + at);
    balance[i] = getI32(in, o::balance + at);
    recovery[i] = std::bit_cast<float>(getU32(in, o::recovery + at));
    hitRate[i] = std::bit_cast<float>(getU32(in, o::hitRate + at));
  }
  rangeFlag = getI32(in, o::rangeFlag);
  getRaw(in, o::yearText, yearText, sizeof yearText);
  yearText[sizeof yearText - 1] = '\0';
  for (std::size_t i = 0; i < conditions.size(); ++i) {
    conditions[i].kind = static_cast<std::int16_t>(getU16(in, o::conditions + 4 * i));
    conditions[i].value = static_cast<std::int16_t>(getU16(in, o::conditions + 4 * i + 2));
  }
  betType = static_cast<std::int16_t>(getU16(in, o::betType));
  getRaw(in, o::timeStamp, timeStamp, sizeof timeStamp);
  timeStamp[sizeof timeStamp - 1] = '\0';
  return true;
}

}  // namespace tovra::tally
