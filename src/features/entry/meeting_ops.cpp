#include "features/entry/meeting_ops.hpp"

#include <optional>

#include "storage/bet_intents.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"

namespace tovra {
namespace {

// The wait popup with the hourglass for the length of one operation.
class WaitScope {
 public:
  WaitScope(UserPort& port, const char* text) : port_(port) {
    port_.setBusy(true);
    port_.waitBegin(text, false);
  }
  ~WaitScope() {
    port_.waitEnd();
    port_.setBusy(false);
  }
  WaitScope(const WaitScope&) = delete;
  WaitScope& operator=(const WaitScope&) = delete;

 private:
  UserPort& port_;
};

Result<MeetingPlace> announced(Result<MeetingPlace> r, const LedgerEvents& events, const std::string& year,
                               int course) {
  if (r) events.meetingsChanged(year, course);
  return r;
}

// The store's side of a change of both stores, settled by what the course files now hold
// (a failure leaves the intent to the next open).
void settled(BetStore& bets, const Ledger& ledger, const std::optional<StoreIntent>& intent) {
  if (intent) settleIntent(bets, ledger, *intent);
}

}  // namespace

std::string sakujyoQuestion(int course, int tsukiHi, int kaiNichi) {
  return sjprintfUtf8("%s競馬場   %2d月%2d日 %d回 %d日目の開催ﾃﾞｰﾀを削除します。", sj(keibajo(course).name).c_str(),
                      tsukiHi / 100, tsukiHi % 100, kaiNichi / 100, kaiNichi % 100);
}

std::vector<std::string> deleteQuestions(int course, const KaisaiRecord& meeting) {
  return {sakujyoQuestion(course, meeting.tsukiHi, meeting.kaiNichi), kSakujyoCautionText};
}

std::vector<KaisaiRecord> blankMeetings(const std::vector<MeetingDate>& days) {
  std::vector<KaisaiRecord> records;
  for (const MeetingDate& d : days) {
    KaisaiRecord k;
    k.tsukiHi = d.tsukiHi();
    k.kaiNichi = d.kaiNichi();
    records.push_back(k);
  }
  return records;
}

Result<MeetingPlace> runRegisterMeetings(const Ledger& ledger, UserPort& wait, const LedgerEvents& events,
                                         const std::string& year, int course, const std::vector<MeetingDate>& days) {
  const std::vector<KaisaiRecord> records = blankMeetings(days);
  WaitScope popup(wait, kTourokuWaitText);
  return announced(ledger.insertMeetings(year, course, records), events, year, course);
}

Result<MeetingPlace> runEditMeeting(const Ledger& ledger, BetStore& bets, UserPort& wait, const LedgerEvents& events,
                                    const DayKey& key, const KaisaiRecord& meeting, const MeetingDate& date) {
  KaisaiRecord k = meeting;
  k.tsukiHi = date.tsukiHi();
  k.kaiNichi = date.kaiNichi();
  const auto intent = beginDayIntent(bets, ledger, key.year, key.course, meeting.tsukiHi, k.tsukiHi);
  if (!intent) return intent.refusal();
  WaitScope popup(wait, kShuseiWaitText);
  auto r = ledger.replaceMeeting(key, k);
  settled(bets, ledger, *intent);
  return announced(std::move(r), events, key.year, key.course);
}

Result<MeetingPlace> runDeleteMeeting(const Ledger& ledger, BetStore& bets, UserPort& wait, const LedgerEvents& events,
                                      const DayKey& key, const std::function<void()>& started) {
  // A course that cannot be read is refused by the deletion itself, with its message.
  const auto day = ledger.readDay(key);
  const int tsukiHi = day ? day->meeting.tsukiHi : 0;
  const auto intent = beginDayIntent(bets, ledger, key.year, key.course, tsukiHi, std::nullopt);
  if (!intent) return intent.refusal();
  std::optional<WaitScope> popup;
  auto r = ledger.deleteMeeting(key, [&] {
    if (started) started();
    popup.emplace(wait, kSakujyoWaitText);
  });
  popup.reset();
  settled(bets, ledger, *intent);
  return announced(std::move(r), events, key.year, key.course);
}

void tellRefusal(UserPort& port, const Refusal& r) {
  if (r.text.empty())
    port.beep();
  else
    showRefusal(port, r);
}

}  // namespace tovra
