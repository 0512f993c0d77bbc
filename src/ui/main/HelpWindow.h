#pragma once
// 競走収支帖 トヴラ ﾍﾙﾌﾟ
// The help window: the program's Japanese manual, opened at its contents.
#include <QWidget>

class QTextBrowser;

namespace tovra {

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  // Shows the window (raised when already open) at the table of contents.
  void showContents();

 private:
  QTextBrowser* browser_;
};

}  // namespace tovra
