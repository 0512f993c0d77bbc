#include "ui/common/QtUserPort.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "ui/widgets/WaitPopup.h"

namespace tovra {

namespace {

QMessageBox::Icon qtIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Error: return QMessageBox::Critical;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Information: return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

// The window a message box or wait popup stands over: the dialog in front, else the
// active window, never the start-up splash (its timer deletes it, and with it whatever
// it owned, while a box may still be open).
QWidget* ownerWindow() {
  QWidget* w = QApplication::activeModalWidget();
  if (!w) w = QApplication::activeWindow();
  if (w && w->windowType() == Qt::SplashScreen) return nullptr;
  return w;
}

// Lets the popup paint while the caller keeps the thread busy.
void paintNow(QWidget* w) {
  w->repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

Answer QtUserPort::message(const std::string& title, const std::string& text, MsgIcon icon, MsgButtons buttons) {
  // Made on the heap and watched: should its owner go away while the box is open, the
  // box goes with it and is not deleted a second time here.
  QPointer<QMessageBox> box = new QMessageBox(qtIcon(icon), QString::fromStdString(title), QString::fromStdString(text),
                                              QMessageBox::NoButton, ownerWindow());
  QPushButton* ok = box->addButton("OK", QMessageBox::AcceptRole);
  QPushButton* cancel = nullptr;
  if (buttons == MsgButtons::OkCancel) cancel = box->addButton("キャンセル", QMessageBox::RejectRole);
  box->setDefaultButton(ok);
  box->setEscapeButton(cancel ? cancel : ok);
  // A busy pointer must not hide that the program waits for an answer.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  box->exec();
  QApplication::restoreOverrideCursor();
  if (!box) return Answer::Cancel;
  const Answer answer = box->clickedButton() == ok ? Answer::Ok : Answer::Cancel;
  delete box.data();
  return answer;
}

void QtUserPort::beep() { QApplication::beep(); }

void QtUserPort::asterisk() { QApplication::beep(); }

void QtUserPort::setBusy(bool busy) {
  if (busy) {
    ++busyDepth_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (busyDepth_ > 0) {
    --busyDepth_;
    QApplication::restoreOverrideCursor();
  }
}

void QtUserPort::waitBegin(const std::string& text, bool progress) {
  waitEnd();
  // The popup belongs to this port alone: the window it stands over may close (a dialog
  // that ends before its work is done) while the popup is still needed.
  QWidget* over = ownerWindow();
  wait_ = new WaitPopup(nullptr, QString::fromStdString(text), progress,
                        picture_ == WaitPicture::Search ? ":/icons/kensaku-saihyouji.svg" : ":/icons/sunadokei.svg");
  picture_ = WaitPicture::Hourglass;
  const QRect area = over ? over->frameGeometry() : wait_->screen()->availableGeometry();
  wait_->move(area.center() - wait_->rect().center());
  wait_->show();
  paintNow(wait_);
}

void QtUserPort::waitStep(int step) {
  if (!wait_) return;
  wait_->setStep(step);
  paintNow(wait_);
}

void QtUserPort::waitEnd() {
  if (wait_) {
    wait_->close();
    delete wait_.data();
  }
}

QString QtUserPort::askSaveFile(QWidget* parent, const QString& caption, const QString& suggested,
                                const QString& filter) {
  return QFileDialog::getSaveFileName(parent, caption, QDir::current().filePath(suggested), filter);
}

}  // namespace tovra
