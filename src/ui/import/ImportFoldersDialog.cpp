#include "ui/import/ImportFoldersDialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "features/import/import_folders.hpp"
#include "storage/datastore.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"
#include "ui/import/ImportWidgets.h"
#include "ui/widgets/EntryWidgets.h"
#include "ui/widgets/RadioGroupBox.h"

namespace tovra {
namespace {

QLineEdit* folderEdit(const char* name, const std::string& cp932, QWidget* parent) {
  auto* e = new QLineEdit(QString::fromStdString(cp932ToUtf8(cp932)), parent);
  e->setObjectName(name);
  e->setMaxLength(1000);
  e->setMinimumWidth(360);
  return e;
}

// An edit with its 参照 button, which puts the chosen folder into the edit.
QWidget* withSansho(QLineEdit* edit, int number, const std::filesystem::path& root, QWidget* parent) {
  auto* row = new QWidget(parent);
  auto* h = new QHBoxLayout(row);
  h->setContentsMargins(0, 0, 0, 0);
  edit->setParent(row);
  h->addWidget(edit);
  auto* sansho = entryButton(QStringLiteral("SanshoBtn%1").arg(number), "参照", row);
  h->addWidget(sansho);
  QObject::connect(sansho, &QPushButton::clicked, row, [row, edit, root] {
    const QString chosen = chooseImportFolder(row->window(), root, edit->text());
    if (!chosen.isEmpty()) edit->setText(chosen);
  });
  return row;
}

}  // namespace

ImportFoldersDialog::ImportFoldersDialog(ImportFolders& folders, const DataStore& ds, UserPort& port, QWidget* parent)
    : QDialog(parent), folders_(folders), ds_(ds), port_(port) {
  setObjectName("ForudaSetteiDialog");
  setWindowTitle("読み込み機能設定");
  auto* v = new QVBoxLayout(this);
  page1_ = new QTabWidget(this);
  page1_->setObjectName("Page1");
  v->addWidget(page1_);

  auto* tab1 = new QWidget;
  tab1->setObjectName("Tab1");
  auto* group = new QGroupBox("JRA-VAN", tab1);
  auto* f1 = new QFormLayout(group);
  edits_[0] = folderEdit("ShuEdit", folders.folder[kFolderJravanCard], group);
  edits_[1] = folderEdit("SeiEdit", folders.folder[kFolderJravanResult], group);
  f1->addRow("出馬表：", withSansho(edits_[0], 1, ds_.root(), group));
  f1->addRow("成績：", withSansho(edits_[1], 2, ds_.root(), group));
  (new QVBoxLayout(tab1))->addWidget(group);
  page1_->addTab(tab1, "JRA-VAN自動検索ﾌｫﾙﾀﾞ");

  auto* tab2 = new QWidget;
  tab2->setObjectName("Tab2");
  auto* f2 = new QFormLayout(tab2);
  edits_[2] = folderEdit("NifEdit", folders.folder[kFolderNifty], tab2);
  f2->addRow("ﾌｫﾙﾀﾞ：", withSansho(edits_[2], 3, ds_.root(), tab2));
  page1_->addTab(tab2, "NIFTY掲示板自動検索ﾌｫﾙﾀﾞ");

  auto* tab3 = new QWidget;
  tab3->setObjectName("Tab3");
  auto* v3 = new QVBoxLayout(tab3);
  QStringList kinds;
  for (int k = 0; k < ImportFolders::kPatKinds; ++k) kinds << QString::fromUtf8(patKindItem(k));
  radioGroup_ = new RadioGroupBox("RadioGroup", "PATの種類", kinds, 2, tab3);
  radioGroup_->setItemIndex(folders.patKindIndex());
  v3->addWidget(radioGroup_);
  auto* f3 = new QFormLayout;
  edits_[3] = folderEdit("PatEdit", folders.folder[kFolderPat], tab3);
  f3->addRow("ﾌｫﾙﾀﾞ：", withSansho(edits_[3], 4, ds_.root(), tab3));
  v3->addLayout(f3);
  page1_->addTab(tab3, "PAT");
  page1_->setCurrentIndex(0);

  auto* row = new QHBoxLayout;
  row->addStretch();
  auto* settei = entryButton("SetteiBtn", "設定", this);
  auto* cancel = entryButton("CancelBtn", "ｷｬﾝｾﾙ", this);
  row->addWidget(settei);
  row->addWidget(cancel);
  v->addLayout(row);
  connect(settei, &QPushButton::clicked, this, &ImportFoldersDialog::saveFolders);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  setFixedSize(sizeHint());
}

void ImportFoldersDialog::saveFolders() {
  FolderEdit edit;
  for (int i = 0; i < ImportFolders::kFolders; ++i)
    edit.typedUtf8[static_cast<std::size_t>(i)] = edits_[i]->text().toStdString();
  edit.patKind = radioGroup_->itemIndex() < 0 ? 0 : radioGroup_->itemIndex();
  ImportFolders next = folders_;
  if (auto refusal = applyFolderEdit(next, edit)) {
    showError(port_, *refusal);
    return;
  }
  folders_ = next;
  saveImportFolders(ds_.fs(), ds_.root(), folders_);
  accept();
}

}  // namespace tovra
