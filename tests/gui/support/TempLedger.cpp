#include "support/TempLedger.h"

#include "forms/AppState.h"

namespace tovra::test {

TempLedger::TempLedger() { appState().reset(root()); }

TempLedger::~TempLedger() { appState().reset("."); }

void TempLedger::writeFile(const QString& rel, const QByteArray& bytes) {
  builder_.write(rel.toStdString(), std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

QByteArray TempLedger::readFile(const QString& rel) const {
  const std::vector<std::uint8_t> bytes = builder_.read(rel.toStdString());
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

}  // namespace tovra::test
