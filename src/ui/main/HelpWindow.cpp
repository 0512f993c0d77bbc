#include "ui/main/HelpWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/widgets/Looks.h"

namespace tovra {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  initUiResources();
  setObjectName("HelpForm");
  setWindowTitle("競走収支帖 トヴラ ﾍﾙﾌﾟ");
  setWindowIcon(toolIcon("", "help"));
  auto* box = new QVBoxLayout(this);
  box->setContentsMargins(6, 6, 6, 6);
  auto* bar = new QHBoxLayout;
  auto* contents = new QPushButton("目次", this);
  contents->setObjectName("ContentsBtn");
  auto* back = new QPushButton("戻る", this);
  back->setObjectName("BackBtn");
  auto* close = new QPushButton("閉じる", this);
  close->setObjectName("CloseBtn");
  bar->addWidget(contents);
  bar->addWidget(back);
  bar->addStretch();
  bar->addWidget(close);
  box->addLayout(bar);
  browser_ = new QTextBrowser(this);
  browser_->setObjectName("HelpBrowser");
  browser_->setOpenExternalLinks(false);
  box->addWidget(browser_);
  connect(contents, &QPushButton::clicked, this, &HelpWindow::showContents);
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  back->setEnabled(false);
  resize(640, 560);
}

void HelpWindow::showContents() {
  browser_->setSource(QUrl("qrc:/help/tovra632.html"));
  browser_->scrollToAnchor("contents");
  show();
  raise();
  activateWindow();
}

}  // namespace tovra
