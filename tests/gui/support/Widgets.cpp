#include "support/Widgets.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <memory>

namespace tovra::test {

void onNextModal(std::function<void(QWidget*)> action, int timeoutMs) {
  QWidget* before = QApplication::activeModalWidget();
  auto clock = std::make_shared<QElapsedTimer>();
  clock->start();
  auto poll = std::make_shared<std::function<void()>>();
  *poll = [=] {
    QWidget* w = QApplication::activeModalWidget();
    if (w && w != before && w->isVisible()) {
      // The stored poll holds the pointer to itself; dropping it ends that cycle (this
      // running copy belongs to the timer).
      *poll = nullptr;
      action(w);
      return;
    }
    if (clock->elapsed() > timeoutMs) qFatal("no modal dialog appeared");
    QTimer::singleShot(10, *poll);
  };
  QTimer::singleShot(0, *poll);
}

void typeAndClick(QWidget* dialog, const QString& edit, const QString& text, const QString& button) {
  auto* e = named<QLineEdit>(dialog, edit);
  e->clear();
  QTest::keyClicks(e, text);
  named<QAbstractButton>(dialog, button)->click();
}

}  // namespace tovra::test
