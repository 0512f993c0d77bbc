#pragma once
// A working folder for one test: a fresh temporary folder that the application state
// points at, with helpers to lay out ledger files the way the program writes them.
#include <QByteArray>
#include <QTemporaryDir>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "ledger/records.hpp"
#include "settings/settings_record.hpp"

namespace tovra::test {

class TempLedger {
 public:
  // Points appState() at a new empty folder (nothing created in it yet).
  TempLedger();
  ~TempLedger();

  QString path() const { return dir_.path(); }
  std::filesystem::path root() const { return dir_.path().toStdString(); }
  // root / relative path.
  QString file(const QString& rel) const { return dir_.filePath(rel); }

  // The ledger folders and main.dat with these years (newest first), each with its
  // twenty files holding no meeting.
  void registerYears(std::initializer_list<int> years);
  // The meeting file of a course: these days, then the all-zero record; the race file
  // with one blank block per day plus the trailing one.
  void writeMeetings(int year, int course, const std::vector<KaisaiRecord>& days);
  // One meeting day with its races as the only meeting of a course and year.
  void writeDay(int year, int course, const KaisaiRecord& k, const RaceBlock& races);
  void writeSettings(const SettingsRecord& s);
  void writeFile(const QString& rel, const QByteArray& bytes);
  QByteArray readFile(const QString& rel) const;
  bool exists(const QString& rel) const;

  // A meeting day with no race data.
  static KaisaiRecord day(int month, int dayOfMonth, int kai, int nichi);
  // Race r (0-based) of a day: its state, name (UTF-8), purchase and balance; the day
  // totals are kept as the settlement keeps them.
  static void setRace(KaisaiRecord& k, int r, int joutai, const std::string& nameUtf8, int purchase, int balance);

 private:
  QTemporaryDir dir_;
};

}  // namespace tovra::test
