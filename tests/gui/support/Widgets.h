#pragma once
// Finding the controls of a window by their names, and acting on modal dialogs that a
// handler opens (their exec() blocks the test until the dialog closes).
#include <QApplication>
#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace tovra::test {

// The child (at any depth) of that name and type; ends the test run with a clear
// message when there is none, so a renamed control is reported as such.
template <class T>
T* named(const QObject* root, const QString& name) {
  T* found = root->findChild<T*>(name);
  if (!found) qFatal("no %s named \"%s\"", T::staticMetaObject.className(), qPrintable(name));
  return found;
}

// Runs `action` on the next modal dialog that appears (polled from the event loop),
// e.g. before clicking the button that opens it. Fails the test run when none appears
// within the timeout.
void onNextModal(std::function<void(QWidget* dialog)> action, int timeoutMs = 5000);

// Types text into the named line edit of a dialog and clicks its named button.
void typeAndClick(QWidget* dialog, const QString& edit, const QString& text, const QString& button);

}  // namespace tovra::test
