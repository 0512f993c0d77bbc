#include "features/search/search_list.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "features/search/search_engine.hpp"
#include "features/tally/tally_common.hpp"
#include "storage/datastore.hpp"
#include "storage/fileio.hpp"
#include "storage/text.hpp"

namespace tovra::search {
namespace {

// A result whose meeting was deleted or moved since the search, or a damaged result file.
constexpr const char* kGone = "このﾚｰｽﾃﾞｰﾀは現在の開催ﾃﾞｰﾀにありません。\n\nもう一度検索して下さい。";

// The record still names a registered year and a race of a meeting day with its date and
// 回次: only then does going to it show the race that was found.
Result<bool> leadsToRace(DataStore& ds, const KekaRecord& r) {
  if (r.course < 0 || r.course >= kCourseCount || r.race < 0 || r.race >= kRacesPerDay || r.meeting < 0) return false;
  const std::string year = fixedText(r.yearText);
  const int y = std::atoi(year.c_str());
  if (std::to_string(y) != year || tally::yearPosition(ds.nenji, y) < 0) return false;
  // The meeting file is read as "read meeting i" would read it.
  const auto days = ds.ledger().meetings(year, r.course);
  if (!days) return FileFailure{3, days.failure().path};
  if (static_cast<std::size_t>(r.meeting) >= days->size()) return false;
  const KaisaiRecord& k = (*days)[static_cast<std::size_t>(r.meeting)];
  return k.month() == r.month && k.day() == r.day && k.kai() == r.kai && k.nichi() == r.nichi;
}

}  // namespace

std::string kekaLine(const KekaRecord& r, const HaitouNote* note) { return cp932ToUtf8(kekaLineCp932(r, note)); }

std::string kekaLineCp932(const KekaRecord& r, const HaitouNote* note) {
  // The widths count Shift-JIS bytes; the format and the course names are converted once
  // for all lines.
  static const std::string kFormat = sj("%s年%2d月%2d日 %s %2d回%2d日目 %2dR %s");
  static const std::array<std::string, kCourseCount> kCourses = [] {
    std::array<std::string, kCourseCount> a;
    for (int c = 0; c < kCourseCount; ++c) a[std::size_t(c)] = sj(tally::courseName(c));
    return a;
  }();
  const std::string year = fixedText(r.yearText);
  const std::string course = r.course >= 0 && r.course < kCourseCount ? kCourses[std::size_t(r.course)] : "";
  std::string name = fixedText(r.name);
  if (note) {
    char pay[64];
    if (note->slot < kPayoutSlots) {
      std::snprintf(pay, sizeof pay, "%7ld", static_cast<long>(note->payout));
      name = fitCp932(sj(note->betName()), 4) + pay + sj("円") + " " + name;
    } else {
      // 馬単, 3連複, 3連単: the type in full and up to nine digits, 15 bytes together.
      const std::string type = sj(note->betName());
      std::snprintf(pay, sizeof pay, "%ld", static_cast<long>(note->payout));
      const std::size_t width = std::max<std::size_t>(15, type.size() + std::strlen(pay) + 1);
      name = type + std::string(width - type.size() - std::strlen(pay), ' ') + pay + sj("円") + " " + name;
    }
  }
  char buf[256];
  const int n = std::snprintf(buf, sizeof buf, kFormat.c_str(), year.c_str(), r.month, r.day, course.c_str(), r.kai,
                              r.nichi, r.race + 1, name.c_str());
  return std::string(buf, std::size_t(std::clamp(n, 0, int(sizeof buf) - 1)));
}

void forEachKekaRecord(DataStore& ds, const std::function<void(const KekaRecord&)>& visit) {
  auto f = ds.fs().open(ds.resolve(kKekaFile), OpenMode::Read);
  if (!f) return;
  std::uint8_t buf[KekaRecord::kSize * 256];
  for (;;) {
    const std::size_t got = f->read(buf, sizeof buf);
    for (std::size_t off = 0; off + KekaRecord::kSize <= got; off += KekaRecord::kSize) {
      KekaRecord r;
      r.decode(buf + off);
      visit(r);
    }
    if (got < sizeof buf) break;
  }
}

void forEachKekaRecord(DataStore& ds, const std::function<void(const KekaRecord&, const HaitouNote*)>& visit) {
  // The notes count only beside the list of a payout search that they fit exactly.
  std::unique_ptr<File> notes;
  const auto text = readKekaText(ds);
  if (text && text->title == searchTitle(SearchType::Haitou)) {
    auto list = ds.fs().open(ds.resolve(kKekaFile), OpenMode::Read);
    notes = ds.fs().open(ds.resolve(kHaitouFile), OpenMode::Read);
    if (!list || !notes || list->size() % KekaRecord::kSize != 0 ||
        notes->size() != list->size() / KekaRecord::kSize * HaitouNote::kSize)
      notes.reset();
  }
  forEachKekaRecord(ds, [&](const KekaRecord& r) {
    std::uint8_t buf[HaitouNote::kSize];
    HaitouNote note;
    const bool has = notes && notes->read(buf, sizeof buf) == sizeof buf;
    if (has) note.decode(buf);
    visit(r, has ? &note : nullptr);
  });
}

std::optional<KekaList> readKekaList(DataStore& ds) {
  const auto text = readKekaText(ds);
  if (!text) return std::nullopt;
  KekaList list{cp932ToUtf8(text->title), cp932ToUtf8(text->summary), {}};
  forEachKekaRecord(ds, [&](const KekaRecord& r, const HaitouNote* note) { list.lines.push_back(kekaLine(r, note)); });
  return list;
}

Result<RaceTarget> resultTarget(DataStore& ds, int index) {
  const auto rec = index >= 0 ? readKekaRecord(ds, static_cast<std::size_t>(index)) : std::nullopt;
  if (!rec) return Refusal{MsgIcon::Error, kGone};
  const Result<bool> leads = leadsToRace(ds, *rec);
  if (leads.failed()) return leads.failure();
  if (!*leads) return Refusal{MsgIcon::Error, kGone};
  return RaceTarget{{fixedText(rec->yearText), rec->course, rec->meeting}, rec->race};
}

std::optional<std::string> yearChangeQuestion(const RaceTarget& target, const std::string& currentYear) {
  if (target.day.year == currentYear) return std::nullopt;
  return "現在処理中の年次が変更されます。\n\n" + currentYear + "年 → " + target.day.year + "年";
}

}  // namespace tovra::search
