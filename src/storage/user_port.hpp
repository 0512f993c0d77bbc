#pragma once
// The one way the core talks to the user. The Qt forms and the CLI implement it (the
// tests have their own, tests/common/scripted_port.hpp). All texts are UTF-8.
#include <string>

namespace tovra {

enum class MsgIcon { Error, Warning, Question, Information };
enum class MsgButtons { Ok, OkCancel };
enum class Answer { Ok, Cancel };
// The picture beside the text of a wait popup.
enum class WaitPicture { Hourglass, Search };

class UserPort {
 public:
  virtual ~UserPort() = default;
  virtual Answer message(const std::string& title, const std::string& text, MsgIcon icon,
                         MsgButtons buttons = MsgButtons::Ok) = 0;
  virtual void beep() = 0;                // warning beep (refused key, nothing selected)
  virtual void asterisk() { beep(); }     // the "done" sound after long operations
  virtual void setBusy(bool /*busy*/) {}  // hourglass pointer
  // Small modeless wait popup; with progress it shows a bar of ten steps.
  virtual void waitBegin(const std::string& /*text*/, bool /*progress*/) {}
  virtual void waitStep(int /*step 0..10*/) {}
  // The picture of the next wait popup only (searches show a magnifier); then the hourglass again.
  virtual void setWaitPicture(WaitPicture /*picture*/) {}
  virtual void waitEnd() {}
};

// Convenience wrappers for the system's message boxes, all titled "確認".
void showError(UserPort& port, const std::string& text);
void showInfo(UserPort& port, const std::string& title, const std::string& text);
bool askOkCancel(UserPort& port, const std::string& text, MsgIcon icon = MsgIcon::Warning);

}  // namespace tovra
