#include "ui/import/NiftyImportDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "features/import/import_folders.hpp"
#include "storage/text.hpp"
#include "ui/widgets/EntryWidgets.h"

namespace tovra {

NiftyImportDialog::NiftyImportDialog(const ImportFolders& folders, const QString& day, std::filesystem::path root,
                                     QWidget* parent)
    : QDialog(parent), root_(std::move(root)) {
  setObjectName("NiftyYomikomiDialog");
  setWindowTitle("Nifty掲示板ﾃﾞｰﾀﾌｧｲﾙ読み込み");
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(16, 14, 16, 12);
  v->addWidget(dayLabel(day, this));
  QPushButton* sansho = nullptr;
  v->addLayout(fileAndFolderRows(this, &fileEdit_, &forudaPanel_, &sansho));
  forudaPanel_->setText(QString::fromStdString(cp932ToUtf8(folders.folder[kFolderNifty])));
  connect(sansho, &QPushButton::clicked, this, &NiftyImportDialog::chooseFile);
  QPushButton *yomikomi = nullptr, *zidou = nullptr;
  v->addLayout(yomikomiButtons(this, &yomikomi, &zidou));
  connect(yomikomi, &QPushButton::clicked, this, &NiftyImportDialog::importNamedFile);
  connect(zidou, &QPushButton::clicked, this, &NiftyImportDialog::searchFolder);
  setFixedSize(sizeHint());
}

QString NiftyImportDialog::fileName() const { return fileEdit_->text(); }

void NiftyImportDialog::chooseFile() {
  const QString file = chooseImportFile(this, root_, forudaPanel_->text(), fileEdit_->text());
  if (!file.isEmpty()) fileEdit_->setText(file);
}

NiftyImportResultDialog::NiftyImportResultDialog(const QString& day, const QString& racesRead, const QString& errors,
                                                 const QString& source, QWidget* parent)
    : ImportResultDialog("NiftyYomikomiKekaDialog", "Nifty掲示板ﾃﾞｰﾀﾌｧｲﾙ読み込み終了", day, parent) {
  body()->addWidget(new QLabel("読み込んだﾌｧｲﾙ：", this), 0, 0);
  body()->addWidget(textPanel("FilePanel", source, 360, this), 1, 0);
  body()->addWidget(new QLabel("読み込んだﾚｰｽ：", this), 2, 0);
  body()->addWidget(textPanel("OkPanel", racesRead, 360, this), 3, 0);
  body()->addWidget(new QLabel("ｴﾗｰ：", this), 4, 0);
  body()->addWidget(textPanel("NoPanel", errors, 360, this), 5, 0);
  finishLayout();
}

}  // namespace tovra
