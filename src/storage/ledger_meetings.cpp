// Registering, moving and deleting meeting days: the course's two files rewritten whole.
#include "storage/ledger.hpp"
#include "storage/meeting_files.hpp"
#include "storage/paths.hpp"

namespace tovra {
namespace {

// Puts the new files of the course in place: codes of writing a meeting (4) or a race
// block (6). The course is then the old one, or (after the commit mark) the new one once
// the next open has completed it.
std::optional<FileFailure> replaceCourse(const Ledger& ledger, const std::string& year, int course,
                                         const CourseFiles& after) {
  CourseRewrite rewrite(ledger, year, course);
  CourseRewrite::Which failed = rewrite.create();
  if (failed == CourseRewrite::Which::None) failed = rewrite.write(after);
  if (failed == CourseRewrite::Which::None) failed = rewrite.commit();
  if (failed == CourseRewrite::Which::Meeting) return FileFailure{4, meetingFilePath(year, course)};
  if (failed == CourseRewrite::Which::Race) return FileFailure{6, raceFilePath(year, course)};
  return std::nullopt;
}

// A place outside the course: nothing to change, only the warning beep.
Refusal nothingThere() { return Refusal{MsgIcon::Warning, ""}; }

}  // namespace

Result<Ledger::MeetingPlace> Ledger::insertMeetings(const std::string& year, int course,
                                                    const std::vector<KaisaiRecord>& days) const {
  if (days.empty()) return nothingThere();
  auto read = CourseFiles::read(*this, year, course);
  if (!read) return read.failed() ? Result<MeetingPlace>(read.failure()) : Result<MeetingPlace>(read.refusal());
  CourseFiles& after = *read;
  for (const KaisaiRecord& k : days) after.append(k, nullptr);
  // One stable sort of all the days appended in their order places each of them after
  // the meetings of its date registered before it: the same as adding them one by one.
  const std::size_t at = after.sortByDate(after.count() - 1);
  if (auto failed = replaceCourse(*this, year, course, after)) return *failed;
  return MeetingPlace{static_cast<int>(at), static_cast<int>(after.count())};
}

Result<Ledger::MeetingPlace> Ledger::replaceMeeting(const DayKey& key, const KaisaiRecord& meeting) const {
  auto read = CourseFiles::read(*this, key.year, key.course);
  if (!read) return read.failed() ? Result<MeetingPlace>(read.failure()) : Result<MeetingPlace>(read.refusal());
  CourseFiles& after = *read;
  if (key.index < 0 || static_cast<std::size_t>(key.index) >= after.count()) return nothingThere();
  const auto at = static_cast<std::size_t>(key.index);
  after.setMeeting(at, meeting);
  const std::size_t moved = after.sortByDate(at);
  if (auto failed = replaceCourse(*this, key.year, key.course, after)) return *failed;
  return MeetingPlace{static_cast<int>(moved), static_cast<int>(after.count())};
}

Result<Ledger::MeetingPlace> Ledger::deleteMeeting(const DayKey& key, const std::function<void()>& started) const {
  const std::string meetingFile = meetingFilePath(key.year, key.course), raceFile = raceFilePath(key.year, key.course);
  // The new files are the work files; making them is the first step, before anything
  // is shown or changed.
  CourseRewrite rewrite(*this, key.year, key.course);
  // A file the user made read-only is never replaced: refused with its name, as a change
  // in place of it is, not as a work file that could not be made.
  switch (rewrite.readOnly()) {
    case CourseRewrite::Which::Meeting: return FileFailure{8, meetingFile};
    case CourseRewrite::Which::Race: return FileFailure{10, raceFile};
    case CourseRewrite::Which::None: break;
  }
  if (rewrite.create() != CourseRewrite::Which::None) return Refusal{MsgIcon::Error, kMeetingWorkFileText};
  if (started) started();
  auto read = CourseFiles::read(*this, key.year, key.course);
  if (!read) return read.failed() ? Result<MeetingPlace>(read.failure()) : Result<MeetingPlace>(read.refusal());
  CourseFiles& after = *read;
  // The file holds fewer meetings than counted: nothing to delete.
  if (key.index < 0 || static_cast<std::size_t>(key.index) >= after.count()) return nothingThere();
  after.erase(static_cast<std::size_t>(key.index));
  // A full disk, say: the work files are gone again and the ledger is untouched.
  if (rewrite.write(after) != CourseRewrite::Which::None) return Refusal{MsgIcon::Error, kMeetingWorkFileText};
  switch (rewrite.commit()) {
    case CourseRewrite::Which::Meeting: return FileFailure{8, meetingFile};
    case CourseRewrite::Which::Race: return FileFailure{10, raceFile};
    case CourseRewrite::Which::None: break;
  }
  return MeetingPlace{0, static_cast<int>(after.count())};
}

}  // namespace tovra
