#pragma once
// The user port of the desktop program: Qt message boxes, the system beep, the
// hourglass pointer, the small wait popup and the file dialog of the ｢保存｣ buttons.
// The program makes one for the run and hands it on; tests hand in one of their own.
#include <QPointer>
#include <QString>
#include <string>

#include "storage/user_port.hpp"

class QWidget;

namespace tovra {

namespace print {
class Printer;
}
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

  // The file to write that the user names in the file dialog over `parent`, opened in the
  // working folder with `suggested` proposed; empty when the user cancelled.
  virtual QString askSaveFile(QWidget* parent, const QString& caption, const QString& suggested, const QString& filter);
  // The printer the windows print on; nullptr: the system's default printer.
  virtual print::Printer* printer() { return nullptr; }

 private:
  QPointer<WaitPopup> wait_;
  WaitPicture picture_ = WaitPicture::Hourglass;
  int busyDepth_ = 0;
};

}  // namespace tovra
