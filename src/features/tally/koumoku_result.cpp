#include "features/tally/koumoku_result.hpp"

#include <cstring>
#include <type_traits>

#include "domain/settlement.hpp"
#include "storage/bytes.hpp"

namespace tovra::tally {

namespace {

// Calls f on each category in the order of its declaration, which is the order of the
// balance and count tables in the file (the purchase tables lie in an order of their own).
template <class R, class F>
void eachCategory(R& r, F&& f) {
  f(r.raceNo);
  f(r.age);
  f(r.weight);
  f(r.kind);
  f(r.cls);
  f(r.sex);
  f(r.going);
  f(r.season);
  f(r.betType);
  f(r.distance);
  f(r.track);
  f(r.umaTickets);
  f(r.amount);
}

// Calls ints(first, count) for each table of 32-bit values and text(buffer, size) for the
// two texts, in the order of the file.
template <class R, class Ints, class Text>
void eachPiece(R& r, Ints&& ints, Text&& text) {
  auto t = [&](auto& table) { ints(&table[0][0], sizeof table / sizeof(std::int32_t)); };
  eachCategory(r, [&](auto& c) { t(c.balance); });  // 1-13
  t(r.umarenTicketsAndHits);                        // 14
  t(r.hitPayoutTotal);                              // 15
  eachCategory(r, [&](auto& c) { t(c.count); });    // 16-28
  t(r.payoutBand);                                  // 29
  t(r.hitEntries);                                  // 30
  t(r.races);                                       // 31
  t(r.umarenTicketsPerRace);                        // 32
  t(r.umarenRacesAndNearMisses);                    // 33
  ints(&r.mode, 1);                                 // 34
  text(r.yearText, sizeof r.yearText);              // 35
  t(r.raceNo.purchase);                             // 36
  t(r.age.purchase);                                // 37
  t(r.weight.purchase);                             // 38
  t(r.dayBalance);                                  // 39
  t(r.dayPurchase);                                 // 40
  t(r.kind.purchase);                               // 41
  t(r.sex.purchase);                                // 42
  t(r.cls.purchase);                                // 43
  t(r.going.purchase);                              // 44
  t(r.betType.purchase);                            // 45
  t(r.season.purchase);                             // 46
  t(r.distance.purchase);                           // 47
  t(r.track.purchase);                              // 48
  t(r.umaTickets.purchase);                         // 49
  t(r.amount.purchase);                             // 50
  text(r.timeStamp, sizeof r.timeStamp);            // 51
}

}  // namespace

void KoumokuResult::encode(std::uint8_t* out) const {
  std::size_t off = 0;
  eachPiece(
      *this,
      [&](const std::int32_t* p, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i, off += 4) bytes::putI32(out, off, p[i]);
      },
      [&](const char* s, std::size_t n) {
        bytes::putRaw(out, off, s, n);
        off += n;
      });
}

bool KoumokuResult::decode(const std::uint8_t* in, std::size_t size) {
  if (size < kReadSize) return false;
  std::size_t off = 0;
  eachPiece(
      *this,
      [&](std::int32_t* p, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i, off += 4) p[i] = bytes::getI32(in, off);
      },
      [&](char* s, std::size_t n) {
        // Of the time stamp only its text and NUL are read: a saved copy ends there.
        std::size_t take = off + n > kReadSize ? kReadSize - off : n;
        std::memset(s, 0, n);
        bytes::getRaw(in, off, s, take);
        s[n - 1] = '\0';
        off += n;
      });
  return true;
}

void KoumokuResult::sumCourses() {
  eachPiece(
      *this,
      [](std::int32_t* p, std::size_t n) {
        if (n % kKoumokuRows != 0) return;  // the mode
        const std::size_t cols = n / kKoumokuRows;
        for (std::size_t c = 0; c < cols; ++c) {
          std::int64_t sum = 0;
          for (int row = 0; row < kAllCoursesRow; ++row) sum += p[static_cast<std::size_t>(row) * cols + c];
          p[kAllCoursesRow * cols + c] = saturate32(sum);
        }
      },
      [](char*, std::size_t) {});
}

}  // namespace tovra::tally
