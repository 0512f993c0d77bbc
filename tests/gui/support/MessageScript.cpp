#include "support/MessageScript.h"

namespace tovra::test {

MessageScript::MessageScript() {
  clear();
  QtUserPort::testScript().active = true;
}

MessageScript::~MessageScript() {
  clear();
  QtUserPort::testScript().active = false;
}

void MessageScript::answer(std::initializer_list<Answer> answers) { QtUserPort::setNextAnswers(answers); }

const std::vector<QtUserPort::Shown>& MessageScript::shown() const { return QtUserPort::testScript().shown; }

QString MessageScript::lastText() const {
  return shown().empty() ? QString() : QString::fromStdString(shown().back().text);
}

QString MessageScript::lastTitle() const {
  return shown().empty() ? QString() : QString::fromStdString(shown().back().title);
}

MsgIcon MessageScript::lastIcon() const { return shown().empty() ? MsgIcon::Information : shown().back().icon; }

int MessageScript::beeps() const { return QtUserPort::testScript().beeps; }

void MessageScript::onMessage(std::function<void(const QtUserPort::Shown&)> look) {
  QtUserPort::testScript().onShown = std::move(look);
}

void MessageScript::clear() {
  auto& s = QtUserPort::testScript();
  s.answers.clear();
  s.shown.clear();
  s.beeps = 0;
  s.asterisks = 0;
  s.onShown = nullptr;
}

}  // namespace tovra::test
