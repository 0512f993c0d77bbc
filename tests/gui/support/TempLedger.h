#pragma once
// A working folder for one form test: the shared ledger builder's temporary folder, with
// the application state pointed at it, and Qt spellings of its file helpers.
#include <QByteArray>
#include <QString>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/ledger_builder.hpp"
#include "ledger/records.hpp"
#include "settings/settings_record.hpp"

namespace tovra::test {

class TempLedger {
 public:
  // Points appState() at a new empty folder (nothing created in it yet).
  TempLedger();
  ~TempLedger();

  QString path() const { return QString::fromStdString(root().string()); }
  const std::filesystem::path& root() const { return builder_.root(); }
  // root / relative path.
  QString file(const QString& rel) const { return QString::fromStdString((root() / rel.toStdString()).string()); }
  testing::LedgerBuilder& builder() { return builder_; }

  // The ledger folders and main.dat with these years (newest first), each with its
  // twenty files holding no meeting.
  void registerYears(std::initializer_list<int> years) { builder_.registerYears(years); }
  // The meeting file of a course: these days, then the all-zero record; the race file
  // with one blank block per day plus the trailing one.
  void writeMeetings(int year, int course, const std::vector<KaisaiRecord>& days) {
    builder_.setMeetings(year, course, days);
  }
  // One meeting day with its races as the only meeting of a course and year.
  void writeDay(int year, int course, const KaisaiRecord& k, const RaceBlock& races) {
    builder_.setMeetings(year, course, {k}, {races});
  }
  void writeSettings(const SettingsRecord& s) { builder_.writeSettings(s); }
  void writeFile(const QString& rel, const QByteArray& bytes);
  QByteArray readFile(const QString& rel) const;
  bool exists(const QString& rel) const { return builder_.exists(rel.toStdString()); }

  // A meeting day with no race data.
  static KaisaiRecord day(int month, int dayOfMonth, int kai, int nichi) {
    return testing::meetingDay(month, dayOfMonth, kai, nichi);
  }
  // Race r (0-based) of a day: its state, name (UTF-8), purchase and balance; the day
  // totals are kept as the settlement keeps them.
  static void setRace(KaisaiRecord& k, int r, int joutai, const std::string& nameUtf8, int purchase, int balance) {
    testing::setRaceFigures(k, r, joutai, nameUtf8, purchase, balance);
  }

 private:
  testing::LedgerBuilder builder_;
};

}  // namespace tovra::test
