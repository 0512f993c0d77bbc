#pragma once
// A user port for tests: records every message, beep and wait popup, and answers the
// questions from a script (OK when the script is empty).
#include <deque>
#include <string>
#include <vector>

#include "storage/user_port.hpp"

namespace tovra {

class ScriptedPort : public UserPort {
 public:
  struct Shown {
    std::string title, text;
    MsgIcon icon;
    MsgButtons buttons;
  };
  std::vector<Shown> messages;
  std::deque<Answer> answers;
  int beeps = 0, asterisks = 0, waitSteps = 0, waits = 0;

  Answer message(const std::string& title, const std::string& text, MsgIcon icon, MsgButtons buttons) override {
    messages.push_back({title, text, icon, buttons});
    if (buttons == MsgButtons::Ok || answers.empty()) return Answer::Ok;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  void beep() override { ++beeps; }
  void asterisk() override { ++asterisks; }
  void waitBegin(const std::string&, bool) override { ++waits; }
  void waitStep(int) override { ++waitSteps; }
  std::string lastText() const { return messages.empty() ? std::string() : messages.back().text; }
};

}  // namespace tovra
