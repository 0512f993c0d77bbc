#pragma once
// The user port of the desktop program: Qt message boxes, the system beep, the
// hourglass pointer and the small wait popup.
//
// Tests script it: with the test hook switched on, message boxes are not shown; each
// one is recorded and answered from a queue (OK when the queue is empty), and beeps are
// counted instead of sounded.
#include <QPointer>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ledger/user_port.hpp"

class QWidget;

namespace tovra {

class WaitPopup;

class QtUserPort : public UserPort {
 public:
  Answer message(const std::string& title, const std::string& text, MsgIcon icon,
                 MsgButtons buttons = MsgButtons::Ok) override;
  void beep() override;
  void asterisk() override;
  void setBusy(bool busy) override;
  void waitBegin(const std::string& text, bool progress) override;
  void waitStep(int step) override;
  void waitEnd() override;
  void setWaitPicture(WaitPicture picture) override { picture_ = picture; }

  // --- test hook ---
  struct Shown {
    std::string title, text;
    MsgIcon icon;
    MsgButtons buttons;
  };
  struct Script {
    bool active = false;
    std::deque<Answer> answers;  // consumed by OK / Cancel boxes only
    std::vector<Shown> shown;
    int beeps = 0;
    int asterisks = 0;
    // Called as each box would appear: tests look at the windows at that moment.
    std::function<void(const Shown&)> onShown;
  };
  static Script& testScript();
  // Switches the hook on and queues the answers of the next OK / Cancel boxes.
  static void setNextAnswers(std::initializer_list<Answer> answers);

 private:
  QPointer<WaitPopup> wait_;
  WaitPicture picture_ = WaitPicture::Hourglass;
  int busyDepth_ = 0;
};

}  // namespace tovra
