#include "support/EntryDay.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPixmap>
#include <QWidget>

#include "domain/settlement.hpp"
#include "storage/paths.hpp"

namespace tovra::test {

EntryDay::EntryDay(const RaceBlock& races) : ledger_(std::make_unique<TempLedger>()) {
  ledger_->registerYears({2001});
  KaisaiRecord k = TempLedger::day(12, 3, 3, 8);
  RaceBlock block = races;
  settleAllRaces(k, block);
  ledger_->writeMeetings(2001, kEntryCourse, {k});
  ledger_->app().ds.loadYears();
  ledger_->app().ds.year = "2001";
  LedgerCursor ds(ledger_->root());
  ds.loadYears();
  ds.year = "2001";
  ds.countMeetings();
  ds.course = kEntryCourse;
  ds.shownMeeting[kEntryCourse] = 0;
  ds.races = block;
  ds.writeRaceBlock(0);
  ds.readShown();
}

EntryDay::~EntryDay() = default;

EntryDay::OnDisk EntryDay::onDisk() const {
  LedgerCursor other(ledger_->root());
  other.year = "2001";
  other.course = kEntryCourse;
  other.readMeeting(0);
  other.readRaceBlock(0);
  return {other.kaisai, other.races};
}

QByteArray EntryDay::meetingFile() const {
  return ledger_->readFile(QString::fromStdString(meetingFilePath("2001", kEntryCourse)));
}

QByteArray EntryDay::raceFile() const {
  return ledger_->readFile(QString::fromStdString(raceFilePath("2001", kEntryCourse)));
}

void typeText(QWidget* w, const QString& text) {
  for (const QChar ch : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(w, &release);
  }
}

void shoot(QWidget* w, const QString& name) {
  const QByteArray dir = qgetenv("TOVRA_SHOT_DIR");
  if (dir.isEmpty()) return;
  QDir().mkpath(QString::fromLocal8Bit(dir));
  w->grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
}

}  // namespace tovra::test
