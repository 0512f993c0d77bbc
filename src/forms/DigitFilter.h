#pragma once
// Numeric edit boxes: only the digits 0-9 and backspace are typed; any other character
// beeps and is swallowed (the shared key filter of the ledger), and pasting cannot
// bring in anything but digits either.
class QLineEdit;

namespace tovra {

void installDigitKeyFilter(QLineEdit* edit);

}  // namespace tovra
