// Kind 1: the meeting day shown in the main window, one line per race and the day total.
#include "domain/money_text.hpp"
#include "domain/race_state.hpp"
#include "domain/settlement.hpp"
#include "features/print/bets_print.hpp"
#include "features/print/layouts.hpp"
#include "features/print/print_common.hpp"
#include "storage/text.hpp"

namespace tovra::print {

namespace {

// A balance as the day page prints it: one blank, then the amount. Appended to one string:
// GCC 12 at -O3 warns (-Wrestrict) about " " + a temporary std::string.
std::string balanceText(std::int64_t yen) {
  std::string s(1, ' ');
  s += yenText(yen);
  return s;
}
constexpr int kRowTop = 630, kRowPitch = 70, kTotalY = 1535;
constexpr int kRaceX = 210, kMoneyX = 400, kBalanceX = 1630, kHitX = 2200;

// "%10ld円  %9.1f％   %10ld円": purchase, recovery rate (of purchase and balance), return.
std::string moneyLine(std::int64_t purchase, std::int64_t balance, std::int64_t ret) {
  return yenText(purchase) + "  " + rateText(*recoveryRate(purchase, purchase + balance)) + "   " + yenText(ret);
}
}  // namespace

Document meetingDocument(const DayKey& key, const MeetingDay& day, const DayBets* bets) {
  const KaisaiRecord& k = day.meeting;
  Page p;
  put(p, kTitleX, kTitleY, "競走収支帖 トヴラ  開催データ");
  put(p, kHeadingX, kHeadingY, dayHeading(key, k));
  put(p, 200, 495, "レース    馬券購入額      回収率       回収金額        収  支");
  std::int64_t returns = 0;
  for (int r = 0; r < kRacesPerDay; ++r) {
    const int y = kRowTop + kRowPitch * r;
    put(p, kRaceX, y, sjprintfUtf8("%2dR", r + 1));
    const int joutai = k.raceJoutai[r];
    if (raceHoldsData(joutai)) {
      const std::int64_t purchase = k.kounyuGaku[r], balance = k.shushi[r];
      if (purchase == 0) {
        put(p, kMoneyX, y, kZeroYen);
      } else {
        returns += purchase + balance;
        put(p, kMoneyX, y, moneyLine(purchase, balance, purchase + balance));
        put(p, kBalanceX, y, balanceText(balance), plusColour(balance));
      }
    }
    if (raceHit(joutai)) put(p, kHitX, y, "[的中]");
  }
  const std::int64_t dayPurchase = k.kounyuGaku[12], dayBalance = k.shushi[12];
  if (dayPurchase == 0) {
    put(p, 200, kTotalY, "合計                                                ");
  } else {
    // The return is the sum of the races' returns printed above.
    put(p, 220, kTotalY, "合計  " + moneyLine(dayPurchase, dayBalance, returns));
    put(p, kBalanceX, kTotalY, balanceText(dayBalance), plusColour(dayBalance));
  }
  Document doc{{std::move(p)}};
  if (bets) addDayBets(doc, k, *bets);
  return doc;
}

}  // namespace tovra::print
