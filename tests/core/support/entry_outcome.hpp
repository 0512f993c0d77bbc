#pragma once
// The outcomes of the ticket and result books shown on a test's port, as the dialogs and
// the CLI show them, so that a test reads the boxes in the order the user sees them.
#include "features/entry/purchase.hpp"
#include "storage/outcome.hpp"

namespace tovra {

inline AddOutcome shown(UserPort& port, AddOutcome out) {
  showMessages(port, out);
  return out;
}

inline bool shown(UserPort& port, const Status& done) {
  if (done.refused()) showRefusal(port, done.refusal());
  return bool(done);
}

}  // namespace tovra
