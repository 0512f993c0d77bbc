#pragma once
// The help window: the program's Japanese manual, opened at its contents.
#include <QWidget>

class QTextBrowser;

namespace tovra {

class THelpForm : public QWidget {
  Q_OBJECT
 public:
  explicit THelpForm(QWidget* parent = nullptr);
  // Shows the window (raised when already open) at the table of contents.
  void showContents();

 private:
  QTextBrowser* browser_;
};

}  // namespace tovra
