#include "support/TempLedger.h"

#include <QtGlobal>
#include <algorithm>

namespace tovra::test {

namespace {
// The TempLedgers alive, in the order they were made.
std::vector<TempLedger*>& alive() {
  static std::vector<TempLedger*> ledgers;
  return ledgers;
}
}  // namespace

TempLedger::TempLedger() : app_(std::make_unique<AppState>(root(), port_)) { alive().push_back(this); }

TempLedger::~TempLedger() { alive().erase(std::find(alive().begin(), alive().end(), this)); }

TempLedger& TempLedger::newest() {
  if (alive().empty()) qFatal("no TempLedger: make one before the windows that work on it");
  return *alive().back();
}

AppState& appState() { return TempLedger::newest().app(); }
ScriptedQtPort& userPort() { return TempLedger::newest().port(); }

void setSaveFileQuestion(ScriptedQtPort::SaveFileAnswer answer) {
  if (!alive().empty()) alive().back()->port().saveFileAnswer = std::move(answer);
}

void TempLedger::writeFile(const QString& rel, const QByteArray& bytes) {
  builder_.write(rel.toStdString(), std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

QByteArray TempLedger::readFile(const QString& rel) const {
  const std::vector<std::uint8_t> bytes = builder_.read(rel.toStdString());
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

}  // namespace tovra::test
