#include "forms/Jravanyomikomidialogunit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/EntryWidgets.h"
#include "forms/RadioGroupBox.h"
#include "import/import_folders.hpp"
#include "ledger/text.hpp"

namespace tovra {

TJravanYomikomiDialog::TJravanYomikomiDialog(const ImportFolders& folders, QWidget* parent)
    : QDialog(parent), folders_(folders) {
  setObjectName("JravanYomikomiDialog");
  setWindowTitle("JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み");
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(16, 14, 16, 12);
  v->addWidget(dayLabel(this));
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
  auto* grid = new QGridLayout;
  fileEdit_ = new QLineEdit(this);
  fileEdit_->setObjectName("FileEdit");
  fileEdit_->setMaxLength(1000);
  fileEdit_->setMinimumWidth(360);
  forudaPanel_ = textPanel("ForudaPanel", "", 360, this);
  grid->addWidget(new QLabel("ﾌｧｲﾙ名：", this), 0, 0);
  grid->addWidget(fileEdit_, 0, 1);
  grid->addWidget(new QLabel("自動検索させるﾌｫﾙﾀﾞ：", this), 1, 0);
  grid->addWidget(forudaPanel_, 1, 1);
  v->addLayout(grid);
  auto* row = new QHBoxLayout;
  row->addStretch();
  auto* yomikomi = entryButton("YomikomiBtn", "読み込み", this);
  auto* zidou = entryButton("ZidouBtn", "自動検索", this);
  auto* cancel = entryButton("CancelBtn", "ｷｬﾝｾﾙ", this);
  row->addWidget(yomikomi);
  row->addWidget(zidou);
  row->addWidget(cancel);
  v->addLayout(row);
  connect(radioGroup_, &RadioGroupBox::itemChanged, this, &TJravanYomikomiDialog::RadioGroupClick);
  connect(yomikomi, &QPushButton::clicked, this, &TJravanYomikomiDialog::YomikomiBtnClick);
  connect(zidou, &QPushButton::clicked, this, &TJravanYomikomiDialog::ZidouBtnClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  RadioGroupClick(0);
  setFixedSize(sizeHint());
}

int TJravanYomikomiDialog::kind() const { return radioGroup_->itemIndex() == 1 ? 1 : 0; }
bool TJravanYomikomiDialog::newer() const { return checkBox_->isChecked(); }
QString TJravanYomikomiDialog::fileName() const { return fileEdit_->text(); }

void TJravanYomikomiDialog::RadioGroupClick(int kind) {
  const int folder = kind == 1 ? kFolderJravanResult : kFolderJravanCard;
  forudaPanel_->setText(QString::fromStdString(cp932ToUtf8(folders_.folder[static_cast<std::size_t>(folder)])));
}

TJravanYomikomiKekaDialog::TJravanYomikomiKekaDialog(const QString& racesRead, QWidget* parent)
    : ImportKekaDialog("JravanYomikomiKekaDialog", "JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み終了", parent) {
  body()->addWidget(new QLabel("読み込んだﾚｰｽ：", this), 0, 0);
  body()->addWidget(textPanel("RacePanel", racesRead, 360, this), 1, 0);
  finishLayout();
}

}  // namespace tovra
