#include "forms/QtUserPort.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "forms/WaitPopup.h"

namespace tovra {

namespace {

QMessageBox::Icon qtIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Error: return QMessageBox::Critical;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Information: return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

// The window a message box belongs to: the dialog in front, else the active window.
QWidget* ownerWindow() {
  if (QWidget* w = QApplication::activeModalWidget()) return w;
  return QApplication::activeWindow();
}

// Lets the popup paint while the caller keeps the thread busy.
void paintNow(QWidget* w) {
  w->repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

QtUserPort::Script& QtUserPort::testScript() {
  static Script script;
  return script;
}

void QtUserPort::setNextAnswers(std::initializer_list<Answer> answers) {
  Script& s = testScript();
  s.active = true;
  s.answers.insert(s.answers.end(), answers.begin(), answers.end());
}

Answer QtUserPort::message(const std::string& title, const std::string& text, MsgIcon icon, MsgButtons buttons) {
  Script& script = testScript();
  if (script.active) {
    script.shown.push_back({title, text, icon, buttons});
    if (buttons == MsgButtons::Ok || script.answers.empty()) return Answer::Ok;
    Answer a = script.answers.front();
    script.answers.pop_front();
    return a;
  }
  QMessageBox box(qtIcon(icon), QString::fromStdString(title), QString::fromStdString(text), QMessageBox::NoButton,
                  ownerWindow());
  QPushButton* ok = box.addButton("OK", QMessageBox::AcceptRole);
  QPushButton* cancel = nullptr;
  if (buttons == MsgButtons::OkCancel) cancel = box.addButton("キャンセル", QMessageBox::RejectRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(cancel ? cancel : ok);
  // A busy pointer must not hide that the program waits for an answer.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  box.exec();
  QApplication::restoreOverrideCursor();
  return box.clickedButton() == ok ? Answer::Ok : Answer::Cancel;
}

void QtUserPort::beep() {
  Script& script = testScript();
  if (script.active) {
    ++script.beeps;
    return;
  }
  QApplication::beep();
}

void QtUserPort::asterisk() {
  Script& script = testScript();
  if (script.active) {
    ++script.asterisks;
    return;
  }
  QApplication::beep();
}

void QtUserPort::setBusy(bool busy) {
  if (busy) {
    ++busyDepth_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (busyDepth_ > 0) {
    --busyDepth_;
    QApplication::restoreOverrideCursor();
  }
}

void QtUserPort::waitBegin(const std::string& text, bool progress) {
  waitEnd();
  wait_ = new WaitPopup(QApplication::activeWindow(), QString::fromStdString(text), progress);
  wait_->show();
  paintNow(wait_);
}

void QtUserPort::waitStep(int step) {
  if (!wait_) return;
  wait_->setStep(step);
  paintNow(wait_);
}

void QtUserPort::waitEnd() {
  if (wait_) {
    wait_->close();
    delete wait_.data();
  }
}

}  // namespace tovra
