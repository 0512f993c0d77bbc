#pragma once
// Numeric edit boxes: only the digits 0-9 and backspace are typed; any other character
// beeps through the port and is swallowed (the shared key filter of the ledger), and
// pasting cannot bring in anything but digits either.
class QLineEdit;

namespace tovra {

class UserPort;

void installDigitKeyFilter(QLineEdit* edit, UserPort& port);

}  // namespace tovra
