#pragma once
// A working folder for one form test: the shared ledger builder's temporary folder, the
// program's objects over it (an AppState with a ScriptedQtPort, as the program makes them
// over its folder) for the test to hand to the windows it opens, and Qt spellings of the
// builder's file helpers.
#include <QByteArray>
#include <QString>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "common/ledger_builder.hpp"
#include "storage/records.hpp"
#include "storage/settings_record.hpp"
#include "support/MessageScript.h"
#include "ui/common/AppState.h"

namespace tovra::test {

class TempLedger {
 public:
  // A new empty folder (nothing created in it yet) with fresh objects over it.
  TempLedger();
  ~TempLedger();
  TempLedger(const TempLedger&) = delete;
  TempLedger& operator=(const TempLedger&) = delete;

  AppState& app() { return *app_; }
  ScriptedQtPort& port() { return port_; }
  // The TempLedger made last of those still there (fails the run when there is none).
  static TempLedger& newest();

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
  ScriptedQtPort port_;
  std::unique_ptr<AppState> app_;
};

// Shorthands of the test bodies for the TempLedger made last: its objects, its port and
// the answer of its port's ｢保存｣ file dialog (nullptr: the dialog again; nothing when no
// ledger is left).
AppState& appState();
ScriptedQtPort& userPort();
void setSaveFileQuestion(ScriptedQtPort::SaveFileAnswer answer);

}  // namespace tovra::test
