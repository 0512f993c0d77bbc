#include "ui/common/LedgerSignals.h"

namespace tovra {

LedgerSignals::LedgerSignals(LedgerEvents& events, QObject* parent) : QObject(parent), events_(events) {
  setObjectName("LedgerSignals");
  events_.add(this);
}

LedgerSignals::~LedgerSignals() { events_.remove(this); }

}  // namespace tovra
