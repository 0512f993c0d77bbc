#pragma once
// Scripted message boxes for form tests: while one of these lives, the program's
// message boxes are not shown but recorded and answered from a queue (OK when empty),
// and beeps are counted.
#include <QString>
#include <functional>
#include <initializer_list>

#include "forms/QtUserPort.h"

namespace tovra::test {

class MessageScript {
 public:
  MessageScript();   // switches the hook on, empty
  ~MessageScript();  // switches it off
  // Answers for the next OK / Cancel boxes, in order.
  void answer(std::initializer_list<Answer> answers);
  const std::vector<QtUserPort::Shown>& shown() const;
  int count() const { return int(shown().size()); }
  QString lastText() const;
  QString lastTitle() const;
  MsgIcon lastIcon() const;
  int beeps() const;
  // Runs `look` as each box would appear (the windows as the user sees them then).
  void onMessage(std::function<void(const QtUserPort::Shown&)> look);
  void clear();
};

}  // namespace tovra::test
