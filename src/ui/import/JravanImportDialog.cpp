#include "ui/import/JravanImportDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "features/import/import_folders.hpp"
#include "storage/text.hpp"
#include "ui/widgets/EntryWidgets.h"
#include "ui/widgets/RadioGroupBox.h"

namespace tovra {

JravanImportDialog::JravanImportDialog(const ImportFolders& folders, const QString& day, std::filesystem::path root,
                                       QWidget* parent)
    : QDialog(parent), folders_(folders), root_(std::move(root)) {
  setObjectName("JravanYomikomiDialog");
  setWindowTitle("JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み");
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(16, 14, 16, 12);
  v->addWidget(dayLabel(day, this));
  auto* kinds = new QHBoxLayout;
  radioGroup_ = new RadioGroupBox("RadioGroup", "JRA-VANﾃﾞｰﾀﾌｧｲﾙの種類", {"出馬表", "成績　 "}, 2, this);
  radioGroup_->setItemIndex(0);
  checkBox_ = new QCheckBox("新仕様", this);
  checkBox_->setObjectName("CheckBox");
  checkBox_->setChecked(true);
  kinds->addWidget(radioGroup_);
  kinds->addWidget(checkBox_);
  kinds->addStretch();
  v->addLayout(kinds);
  QPushButton* sansho = nullptr;
  v->addLayout(fileAndFolderRows(this, &fileEdit_, &forudaPanel_, &sansho));
  connect(sansho, &QPushButton::clicked, this, &JravanImportDialog::chooseFile);
  QPushButton *yomikomi = nullptr, *zidou = nullptr;
  v->addLayout(yomikomiButtons(this, &yomikomi, &zidou));
  connect(radioGroup_, &RadioGroupBox::itemChanged, this, &JravanImportDialog::showFolderOfKind);
  connect(yomikomi, &QPushButton::clicked, this, &JravanImportDialog::importNamedFile);
  connect(zidou, &QPushButton::clicked, this, &JravanImportDialog::searchFolder);
  showFolderOfKind(0);
  setFixedSize(sizeHint());
}

int JravanImportDialog::kind() const { return radioGroup_->itemIndex() == 1 ? 1 : 0; }
bool JravanImportDialog::newer() const { return checkBox_->isChecked(); }
QString JravanImportDialog::fileName() const { return fileEdit_->text(); }

void JravanImportDialog::showFolderOfKind(int kind) {
  const int folder = kind == 1 ? kFolderJravanResult : kFolderJravanCard;
  forudaPanel_->setText(QString::fromStdString(cp932ToUtf8(folders_.folder[static_cast<std::size_t>(folder)])));
}

void JravanImportDialog::chooseFile() {
  const QString file = chooseImportFile(this, root_, forudaPanel_->text(), fileEdit_->text());
  if (!file.isEmpty()) fileEdit_->setText(file);
}

JravanImportResultDialog::JravanImportResultDialog(const QString& day, const QString& racesRead, const QString& source,
                                                   QWidget* parent)
    : ImportResultDialog("JravanYomikomiKekaDialog", "JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み終了", day, parent) {
  body()->addWidget(new QLabel("読み込んだﾌｧｲﾙ：", this), 0, 0);
  body()->addWidget(textPanel("FilePanel", source, 360, this), 1, 0);
  body()->addWidget(new QLabel("読み込んだﾚｰｽ：", this), 2, 0);
  body()->addWidget(textPanel("RacePanel", racesRead, 360, this), 3, 0);
  finishLayout();
}

}  // namespace tovra
