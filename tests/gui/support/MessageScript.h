#pragma once
// The user port the form tests hand to the windows, and scripted message boxes.
//
// ScriptedQtPort is the program's Qt port (wait popups, busy pointer) whose message
// boxes, beeps and ｢保存｣ file dialog a test takes over: while a MessageScript is on it,
// boxes are not shown but recorded and answered from a queue (OK when empty), and beeps
// are counted; a save-file answer, when set, replaces the file dialog.
#include <QString>
#include <deque>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "ui/common/QtUserPort.h"

namespace tovra::test {

class ScriptedQtPort : public QtUserPort {
 public:
  struct Shown {
    std::string title, text;
    MsgIcon icon;
    MsgButtons buttons;
  };
  using SaveFileAnswer = std::function<QString(const QString& caption, const QString& suggested)>;

  Answer message(const std::string& title, const std::string& text, MsgIcon icon,
                 MsgButtons buttons = MsgButtons::Ok) override;
  void beep() override;
  void asterisk() override;
  QString askSaveFile(QWidget* parent, const QString& caption, const QString& suggested,
                      const QString& filter) override;
  print::Printer* printer() override { return testPrinter; }

  bool scripted = false;       // a MessageScript is on
  std::deque<Answer> answers;  // consumed by OK / Cancel boxes only
  std::vector<Shown> shown;
  int beeps = 0;
  int asterisks = 0;
  // Called as each box would appear: tests look at the windows at that moment.
  std::function<void(const Shown&)> onShown;
  SaveFileAnswer saveFileAnswer;          // empty: the file dialog
  print::Printer* testPrinter = nullptr;  // nullptr: the system's default printer
};

class MessageScript {
 public:
  using Shown = ScriptedQtPort::Shown;
  // On the port of the TempLedger made last (fails the run when there is none).
  MessageScript();
  explicit MessageScript(ScriptedQtPort& port);
  ~MessageScript();  // switches it off
  MessageScript(const MessageScript&) = delete;
  MessageScript& operator=(const MessageScript&) = delete;

  // Answers for the next OK / Cancel boxes, in order.
  void answer(std::initializer_list<Answer> answers);
  const std::vector<Shown>& shown() const { return port_.shown; }
  int count() const { return int(shown().size()); }
  QString lastText() const;
  QString lastTitle() const;
  MsgIcon lastIcon() const;
  int beeps() const { return port_.beeps; }
  int asterisks() const { return port_.asterisks; }
  // Runs `look` as each box would appear (the windows as the user sees them then).
  void onMessage(std::function<void(const Shown&)> look);
  void clear();

 private:
  ScriptedQtPort& port_;
};

}  // namespace tovra::test
