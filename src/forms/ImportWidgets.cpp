#include "forms/ImportWidgets.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/AppState.h"
#include "forms/EntryWidgets.h"
#include "import/import_day.hpp"

namespace tovra {

QLabel* dayLabel(QWidget* parent) {
  auto* l = new QLabel(QString::fromStdString(importDayLabel(appState().ds)), parent);
  l->setObjectName("YomikomiLabel");
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, Qt::blue);
  l->setPalette(p);
  return l;
}

QLabel* textPanel(const QString& objectName, const QString& text, int minWidth, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(objectName);
  l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  l->setMinimumWidth(minWidth);
  l->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return l;
}

ImportKekaDialog::ImportKekaDialog(const char* objectName, const QString& caption, QWidget* parent) : QDialog(parent) {
  setObjectName(objectName);
  setWindowTitle(caption);
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(16, 14, 16, 12);
  v->setSpacing(10);
  v->addWidget(dayLabel(this));
  body_ = new QGridLayout;
  body_->setHorizontalSpacing(8);
  body_->setVerticalSpacing(6);
  v->addLayout(body_);
}

void ImportKekaDialog::finishLayout() {
  auto* row = new QHBoxLayout;
  row->addStretch();
  auto* touroku = entryButton("TourokuBtn", "登録", this);
  auto* cancel = entryButton("CancelBtn", "ｷｬﾝｾﾙ", this);
  row->addWidget(touroku);
  row->addWidget(cancel);
  static_cast<QVBoxLayout*>(layout())->addLayout(row);
  connect(touroku, &QPushButton::clicked, this, &ImportKekaDialog::TourokuBtnClick);
  connect(cancel, &QPushButton::clicked, this, &ImportKekaDialog::CancelBtnClick);
  setFixedSize(sizeHint());
}

void ImportKekaDialog::TourokuBtnClick() {
  done_ = true;
  storeImport(appState().ds);
  accept();
}

void ImportKekaDialog::CancelBtnClick() { reject(); }

void ImportKekaDialog::reject() {
  if (!done_) {
    done_ = true;
    discardImport(appState().ds);
  }
  QDialog::reject();
}

}  // namespace tovra
