#pragma once
// Who is told when the ledger changes: the windows that show a part of it listen, the
// operations that change it announce each change once it is on disk (never when they
// refused or failed). The list holds no listener of its own; whoever listens adds itself
// and takes itself off again before it goes.
#include <algorithm>
#include <string>
#include <vector>

#include "storage/ledger.hpp"

namespace tovra {

class LedgerObserver {
 public:
  virtual ~LedgerObserver() = default;
  // main.dat holds another list of years.
  virtual void yearsChanged() {}
  // Meetings of a course were added, moved or removed (the files were rewritten).
  virtual void meetingsChanged(const std::string& /*year*/, int /*course*/) {}
  // The records of one meeting day were rewritten in place.
  virtual void dayChanged(const DayKey& /*key*/) {}
};

class LedgerEvents {
 public:
  void add(LedgerObserver* o) {
    if (o && std::find(observers_.begin(), observers_.end(), o) == observers_.end()) observers_.push_back(o);
  }
  void remove(LedgerObserver* o) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), o), observers_.end());
  }

  void yearsChanged() const {
    for (LedgerObserver* o : snapshot()) o->yearsChanged();
  }
  void meetingsChanged(const std::string& year, int course) const {
    for (LedgerObserver* o : snapshot()) o->meetingsChanged(year, course);
  }
  void dayChanged(const DayKey& key) const {
    for (LedgerObserver* o : snapshot()) o->dayChanged(key);
  }

 private:
  // A listener may add or remove listeners while it is told.
  std::vector<LedgerObserver*> snapshot() const { return observers_; }
  std::vector<LedgerObserver*> observers_;
};

}  // namespace tovra
