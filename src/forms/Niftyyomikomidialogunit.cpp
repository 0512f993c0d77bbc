#include "forms/Niftyyomikomidialogunit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/EntryWidgets.h"
#include "import/import_folders.hpp"
#include "ledger/text.hpp"

namespace tovra {

TNiftyYomikomiDialog::TNiftyYomikomiDialog(const ImportFolders& folders, QWidget* parent) : QDialog(parent) {
  setObjectName("NiftyYomikomiDialog");
  setWindowTitle("Nifty掲示板ﾃﾞｰﾀﾌｧｲﾙ読み込み");
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(16, 14, 16, 12);
  v->addWidget(dayLabel(this));
  auto* grid = new QGridLayout;
  fileEdit_ = new QLineEdit(this);
  fileEdit_->setObjectName("FileEdit");
  fileEdit_->setMaxLength(1000);
  fileEdit_->setMinimumWidth(360);
  grid->addWidget(new QLabel("ﾌｧｲﾙ名：", this), 0, 0);
  grid->addWidget(fileEdit_, 0, 1);
  grid->addWidget(new QLabel("自動検索させるﾌｫﾙﾀﾞ：", this), 1, 0);
  grid->addWidget(textPanel("ForudaPanel", QString::fromStdString(cp932ToUtf8(folders.folder[kFolderNifty])), 360, this),
                  1, 1);
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
  connect(yomikomi, &QPushButton::clicked, this, &TNiftyYomikomiDialog::YomikomiBtnClick);
  connect(zidou, &QPushButton::clicked, this, &TNiftyYomikomiDialog::ZidouBtnClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  setFixedSize(sizeHint());
}

QString TNiftyYomikomiDialog::fileName() const { return fileEdit_->text(); }

TNiftyYomikomiKekaDialog::TNiftyYomikomiKekaDialog(const QString& racesRead, const QString& errors, QWidget* parent)
    : ImportKekaDialog("NiftyYomikomiKekaDialog", "Nifty掲示板ﾃﾞｰﾀﾌｧｲﾙ読み込み終了", parent) {
  body()->addWidget(new QLabel("読み込んだﾚｰｽ：", this), 0, 0);
  body()->addWidget(textPanel("OkPanel", racesRead, 360, this), 1, 0);
  body()->addWidget(new QLabel("ｴﾗｰ：", this), 2, 0);
  body()->addWidget(textPanel("NoPanel", errors, 360, this), 3, 0);
  finishLayout();
}

}  // namespace tovra
