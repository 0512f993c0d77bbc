#include "storage/user_port.hpp"

namespace tovra {

void showError(UserPort& port, const std::string& text) { port.message("確認", text, MsgIcon::Error); }
void showInfo(UserPort& port, const std::string& title, const std::string& text) {
  port.message(title, text, MsgIcon::Information);
}
bool askOkCancel(UserPort& port, const std::string& text, MsgIcon icon) {
  return port.message("確認", text, icon, MsgButtons::OkCancel) == Answer::Ok;
}

}  // namespace tovra
