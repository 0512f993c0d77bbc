#pragma once
// A meeting day on 東京 (12月3日 3回 8日目) of 2001, read into the application state as
// the meeting shown, for the race entry dialog tests; and the day as it is on disk.
#include <QString>
#include <memory>

#include "storage/records.hpp"
#include "support/TempLedger.h"

class QWidget;

namespace tovra::test {

inline constexpr int kEntryCourse = 4;

class EntryDay {
 public:
  // Races may be given to start with (they are written before the day is read).
  explicit EntryDay(const RaceBlock& races = RaceBlock{});
  ~EntryDay();
  TempLedger& ledger() { return *ledger_; }

  struct OnDisk {
    KaisaiRecord kaisai;
    RaceBlock races;
  };
  OnDisk onDisk() const;
  QByteArray meetingFile() const;
  QByteArray raceFile() const;

 private:
  std::unique_ptr<TempLedger> ledger_;
};

// Types text as key presses carrying it, one character each (QTest::keyClicks only
// knows Latin-1 keys).
void typeText(QWidget* w, const QString& text);

// With TOVRA_SHOT_DIR set, saves a picture of the widget there as <name>.png.
void shoot(QWidget* w, const QString& name);

}  // namespace tovra::test
