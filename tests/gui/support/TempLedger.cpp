#include "support/TempLedger.h"

#include <QDir>
#include <QFile>

#include "forms/AppState.h"
#include "ledger/paths.hpp"
#include "ledger/text.hpp"

namespace tovra::test {

TempLedger::TempLedger() {
  if (!dir_.isValid()) qFatal("cannot make a temporary folder");
  appState().reset(root());
}

TempLedger::~TempLedger() { appState().reset("."); }

void TempLedger::registerYears(std::initializer_list<int> years) {
  QDir d(path());
  for (int c = 0; c < kCourseCount; ++c) d.mkpath(QString::fromStdString(courseFolderPath(c)));
  d.mkpath(kTmpFolder);
  d.mkpath(kShukeiFolder);
  NenjiTable t;
  int i = 0;
  for (int y : years) t.nen[i++] = static_cast<std::uint16_t>(y);
  QByteArray main(NenjiTable::kSize, '\0');
  t.encode(reinterpret_cast<std::uint8_t*>(main.data()));
  writeFile(kMainDat, main);
  for (int y : years)
    for (int c = 0; c < kCourseCount; ++c) writeMeetings(y, c, {});
}

void TempLedger::writeMeetings(int year, int course, const std::vector<KaisaiRecord>& days) {
  const std::string y = std::to_string(year);
  QByteArray meet;
  for (const KaisaiRecord& k : days) {
    QByteArray rec(KaisaiRecord::kSize, '\0');
    k.encode(reinterpret_cast<std::uint8_t*>(rec.data()));
    meet += rec;
  }
  meet += QByteArray(KaisaiRecord::kSize, '\0');
  writeFile(QString::fromStdString(meetingFilePath(y, course)), meet);
  writeFile(QString::fromStdString(raceFilePath(y, course)),
            QByteArray(qsizetype(kRaceBlockSize * (days.size() + 1)), '\0'));
}

void TempLedger::writeSettings(const SettingsRecord& s) {
  QByteArray b(SettingsRecord::kSize, '\0');
  s.encode(reinterpret_cast<std::uint8_t*>(b.data()));
  writeFile(kSettingsFile, b);
}

void TempLedger::writeFile(const QString& rel, const QByteArray& bytes) {
  QDir(path()).mkpath(QFileInfo(file(rel)).path());
  QFile f(file(rel));
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
    qFatal("cannot write %s", qPrintable(rel));
}

QByteArray TempLedger::readFile(const QString& rel) const {
  QFile f(file(rel));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool TempLedger::exists(const QString& rel) const { return QFileInfo::exists(file(rel)); }

void TempLedger::writeDay(int year, int course, const KaisaiRecord& k, const RaceBlock& races) {
  QByteArray m(int(KaisaiRecord::kSize) * 2, 0), r(int(kRaceBlockSize) * 2, 0);
  k.encode(reinterpret_cast<std::uint8_t*>(m.data()));
  for (int i = 0; i < kRacesPerDay; ++i)
    races[std::size_t(i)].encode(reinterpret_cast<std::uint8_t*>(r.data()) + i * RaceRecord::kSize);
  writeFile(QString::fromStdString(meetingFilePath(std::to_string(year), course)), m);
  writeFile(QString::fromStdString(raceFilePath(std::to_string(year), course)), r);
}

KaisaiRecord TempLedger::day(int month, int dayOfMonth, int kai, int nichi) {
  KaisaiRecord k;
  k.tsukiHi = static_cast<std::uint16_t>(month * 100 + dayOfMonth);
  k.kaiNichi = static_cast<std::uint16_t>(kai * 100 + nichi);
  return k;
}

void TempLedger::setRace(KaisaiRecord& k, int r, int joutai, const std::string& nameUtf8, int purchase, int balance) {
  k.raceJoutai[r] = static_cast<std::uint16_t>(joutai);
  setFixedText(k.raceMei[r], sj(nameUtf8));
  k.kounyuGaku[r] = purchase;
  k.shushi[r] = balance;
  k.kounyuGaku[12] = 0;
  k.shushi[12] = 0;
  for (int i = 0; i < 12; ++i) {
    k.kounyuGaku[12] += k.kounyuGaku[i];
    k.shushi[12] += k.shushi[i];
  }
}

}  // namespace tovra::test
