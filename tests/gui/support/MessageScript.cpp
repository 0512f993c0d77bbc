#include "support/MessageScript.h"

#include "support/TempLedger.h"

namespace tovra::test {

Answer ScriptedQtPort::message(const std::string& title, const std::string& text, MsgIcon icon, MsgButtons buttons) {
  if (!scripted) return QtUserPort::message(title, text, icon, buttons);
  shown.push_back({title, text, icon, buttons});
  if (onShown) onShown(shown.back());
  if (buttons == MsgButtons::Ok || answers.empty()) return Answer::Ok;
  const Answer a = answers.front();
  answers.pop_front();
  return a;
}

void ScriptedQtPort::beep() {
  if (scripted)
    ++beeps;
  else
    QtUserPort::beep();
}

void ScriptedQtPort::asterisk() {
  if (scripted)
    ++asterisks;
  else
    QtUserPort::asterisk();
}

QString ScriptedQtPort::askSaveFile(QWidget* parent, const QString& caption, const QString& suggested,
                                    const QString& filter) {
  if (saveFileAnswer) return saveFileAnswer(caption, suggested);
  return QtUserPort::askSaveFile(parent, caption, suggested, filter);
}

MessageScript::MessageScript() : MessageScript(TempLedger::newest().port()) {}

MessageScript::MessageScript(ScriptedQtPort& port) : port_(port) {
  clear();
  port_.scripted = true;
}

MessageScript::~MessageScript() {
  clear();
  port_.scripted = false;
}

void MessageScript::answer(std::initializer_list<Answer> answers) {
  port_.answers.insert(port_.answers.end(), answers.begin(), answers.end());
}

QString MessageScript::lastText() const {
  return shown().empty() ? QString() : QString::fromStdString(shown().back().text);
}

QString MessageScript::lastTitle() const {
  return shown().empty() ? QString() : QString::fromStdString(shown().back().title);
}

MsgIcon MessageScript::lastIcon() const { return shown().empty() ? MsgIcon::Information : shown().back().icon; }

void MessageScript::onMessage(std::function<void(const Shown&)> look) { port_.onShown = std::move(look); }

void MessageScript::clear() {
  port_.answers.clear();
  port_.shown.clear();
  port_.beeps = 0;
  port_.asterisks = 0;
  port_.onShown = nullptr;
}

}  // namespace tovra::test
