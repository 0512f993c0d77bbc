#include "ui/widgets/DigitFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "features/entry/digit_keys.hpp"

namespace tovra {

namespace {

class DigitKeyFilter : public QObject {
 public:
  DigitKeyFilter(UserPort& port, QObject* parent) : QObject(parent), port_(port) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Backspace) return false;
    const QString text = key->text();
    // Only keys that type a character reach the filter; moving, deleting, Enter, Escape
    // and the edit shortcuts keep working.
    if (text.isEmpty() || text.at(0).unicode() < 0x20 || text.at(0).unicode() == 0x7F) return false;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const char32_t ch = text.toUcs4().value(0);
    return !digitKeyFilter(port_, ch);
  }

 private:
  UserPort& port_;
};

}  // namespace

void installDigitKeyFilter(QLineEdit* edit, UserPort& port) {
  edit->installEventFilter(new DigitKeyFilter(port, edit));
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
}

}  // namespace tovra
