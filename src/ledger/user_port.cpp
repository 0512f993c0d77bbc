#include "ledger/user_port.hpp"

namespace tovra {

void showError(UserPort& port, const std::string& text) { port.message("確認", text, MsgIcon::Error); }
void showInfo(UserPort& port, const std::string& title, const std::string& text) {
  port.message(title, text, MsgIcon::Information);
}
bool askOkCancel(UserPort& port, const std::string& text, MsgIcon icon) {
  return port.message("確認", text, icon, MsgButtons::OkCancel) == Answer::Ok;
}

Answer ScriptedPort::message(const std::string& title, const std::string& text, MsgIcon icon, MsgButtons buttons) {
  messages.push_back({title, text, icon, buttons});
  if (buttons == MsgButtons::Ok) return Answer::Ok;
  if (answers.empty()) return Answer::Ok;
  Answer a = answers.front();
  answers.pop_front();
  return a;
}

const std::string& ScriptedPort::lastText() const {
  static const std::string empty;
  return messages.empty() ? empty : messages.back().text;
}

}  // namespace tovra
