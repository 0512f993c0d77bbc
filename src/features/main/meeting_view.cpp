#include "features/main/meeting_view.hpp"

#include "domain/money_text.hpp"
#include "domain/race_state.hpp"
#include "domain/settlement.hpp"
#include "features/main/main_selection.hpp"
#include "storage/text.hpp"

namespace tovra {

MeetingView formatMeetingView(const MainSelection& sel) {
  return formatMeetingView(sel.course, sel.count(), sel.shown(), sel.day.meeting);
}

MeetingView formatMeetingView(int course, int count, int shown, const KaisaiRecord& k) {
  MeetingView v;
  const std::string name = keibajo(course).name;
  v.statusText = name + "競馬場開催ﾃﾞｰﾀ";
  v.jyoLabel = name + "競馬場";
  v.hasMeeting = k.tsukiHi != 0;
  if (count > 0 && v.hasMeeting) {
    v.scrollMax = count - 1;
    v.kaisaiPanel = sjprintfUtf8(" %2d月%2d日 %d回 %d日目  ", k.month(), k.day(), k.kai(), k.nichi());
  } else {
    v.scrollMax = 0;
    v.kaisaiPanel = " ------------------";
  }
  long returns = 0;
  for (int r = 0; r < 12; ++r) {
    MeetingRowView& row = v.rows[r];
    const int joutai = k.raceJoutai[r];
    if (raceHoldsData(joutai)) {
      row.raceName = cp932ToUtf8(fixedText(k.raceMei[r]));
      const long purchase = k.kounyuGaku[r];
      const long balance = k.shushi[r];
      if (purchase != 0) {
        const long ret = purchase + balance;
        row.kou = yenText(purchase) + rateText(*recoveryRate(purchase, ret)) + yenText(ret);
        row.shu = yenText(balance, 0) + " ";
        row.plus = balance >= 1;
        returns += ret;
      } else {
        row.kou = kZeroYen;
        row.shu = kBlank;
      }
    } else {
      row.raceName = kBlank;
      row.kou = kBlank;
      row.shu = kBlank;
    }
    row.hit = raceHit(joutai);
  }
  if (k.kounyuGaku[12] != 0) {
    const long dayPurchase = k.kounyuGaku[12];
    const long dayBalance = k.shushi[12];
    v.kou13 = yenText(dayPurchase) + rateText(*recoveryRate(dayPurchase, dayPurchase + dayBalance)) + yenText(returns);
    v.shu13 = yenText(dayBalance) + " ";
    v.plus13 = dayBalance >= 1;
  } else {
    v.kou13 = kBlank;
    v.shu13 = kBlank;
  }
  v.scrollPos = shown;
  return v;
}

}  // namespace tovra
