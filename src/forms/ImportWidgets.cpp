#include "forms/ImportWidgets.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
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

QGridLayout* fileAndFolderRows(QWidget* parent, QLineEdit** fileEdit, QLabel** forudaPanel) {
  auto* grid = new QGridLayout;
  *fileEdit = new QLineEdit(parent);
  (*fileEdit)->setObjectName("FileEdit");
  (*fileEdit)->setMaxLength(1000);
  (*fileEdit)->setMinimumWidth(360);
  (*fileEdit)->setFocus();  // the file name is typed first
  *forudaPanel = textPanel("ForudaPanel", "", 360, parent);
  grid->addWidget(new QLabel("ﾌｧｲﾙ名：", parent), 0, 0);
  grid->addWidget(*fileEdit, 0, 1);
  grid->addWidget(new QLabel("自動検索させるﾌｫﾙﾀﾞ：", parent), 1, 0);
  grid->addWidget(*forudaPanel, 1, 1);
  return grid;
}

QHBoxLayout* yomikomiButtons(QDialog* parent, QPushButton** yomikomi, QPushButton** zidou) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  *yomikomi = entryButton("YomikomiBtn", "読み込み", parent);
  row->addWidget(*yomikomi);
  if (zidou) {
    *zidou = entryButton("ZidouBtn", "自動検索", parent);
    row->addWidget(*zidou);
  }
  auto* cancel = entryButton("CancelBtn", "ｷｬﾝｾﾙ", parent);
  row->addWidget(cancel);
  QObject::connect(cancel, &QPushButton::clicked, parent, &QDialog::reject);
  return row;
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
