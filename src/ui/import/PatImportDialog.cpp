#include "ui/import/PatImportDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "features/import/import_folders.hpp"
#include "storage/text.hpp"
#include "ui/widgets/EntryWidgets.h"

namespace tovra {

PatImportDialog::PatImportDialog(const ImportFolders& folders, const QString& day, std::filesystem::path root,
                                 QWidget* parent)
    : QDialog(parent), root_(std::move(root)) {
  setObjectName("PatYomikomiDialog");
  setWindowTitle("PATﾃﾞｰﾀ読み込み");
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(16, 14, 16, 12);
  v->addWidget(dayLabel(day, this));
  auto* grid = new QGridLayout;
  auto* shu = new QLabel(QString::fromUtf8(patKindName(folders.patKindIndex())), this);
  shu->setObjectName("ShuLabel");
  grid->addWidget(new QLabel("PATの種類：", this), 0, 0);
  grid->addWidget(shu, 0, 1);
  grid->addWidget(new QLabel("PATがｲﾝｽﾄｰﾙされているﾌｫﾙﾀﾞ：", this), 1, 0);
  forudaPanel_ = textPanel("ForudaPanel", QString::fromStdString(cp932ToUtf8(folders.folder[kFolderPat])), 300, this);
  grid->addWidget(forudaPanel_, 1, 1);
  auto* sansho = entryButton("SanshoBtn", "参照", this);
  grid->addWidget(sansho, 1, 2);
  connect(sansho, &QPushButton::clicked, this, &PatImportDialog::chooseFolder);
  v->addLayout(grid);
  auto* group = new QGroupBox("読み込むﾃﾞｰﾀ", this);
  auto* g = new QVBoxLayout(group);
  const char* captions[3] = {"購入馬券ﾃﾞｰﾀ", "競走成績・ﾚｰｽ結果", "出馬表   ・出走馬"};
  const PatRequest preset = patDefaultRequest(folders.patKindIndex());
  const bool checked[3] = {preset.purchases, preset.results, preset.entries};
  for (int i = 0; i < 3; ++i) {
    checkBox_[i] = new QCheckBox(QString::fromUtf8(captions[i]), group);
    checkBox_[i]->setObjectName(QStringLiteral("CheckBox%1").arg(i + 1));
    checkBox_[i]->setChecked(checked[i]);
    g->addWidget(checkBox_[i]);
  }
  v->addWidget(group);
  QPushButton* yomikomi = nullptr;
  v->addLayout(yomikomiButtons(this, &yomikomi, nullptr));
  connect(yomikomi, &QPushButton::clicked, this, &PatImportDialog::importChosenData);
  setFixedSize(sizeHint());
}

PatRequest PatImportDialog::request() const {
  return PatRequest{checkBox_[0]->isChecked(), checkBox_[1]->isChecked(), checkBox_[2]->isChecked()};
}

QString PatImportDialog::folder() const { return forudaPanel_->text(); }

void PatImportDialog::chooseFolder() {
  const QString chosen = chooseImportFolder(this, root_, forudaPanel_->text());
  if (!chosen.isEmpty()) forudaPanel_->setText(chosen);
}

PatImportResultDialog::PatImportResultDialog(const QString& day, const PatTexts& t, QWidget* parent)
    : ImportResultDialog("PatYomikomiKekaDialog", "PATﾃﾞｰﾀ読み込み終了", day, parent) {
  const char* captions[3] = {"購入馬券ﾃﾞｰﾀ　　読み込んだﾚｰｽ：", "競走成績　　  　　読み込んだﾚｰｽ：",
                             "出走馬　　　　　　　読み込んだﾚｰｽ："};
  const char* names[3] = {"KouPanel", "KyoPanel", "ShuPanel"};
  const std::string* texts[3] = {&t.purchases, &t.results, &t.entries};
  for (int i = 0; i < 3; ++i) {
    body()->addWidget(new QLabel(QString::fromUtf8(captions[i]), this), 2 * i, 0);
    body()->addWidget(textPanel(names[i], QString::fromStdString(*texts[i]), 360, this), 2 * i + 1, 0);
  }
  finishLayout();
}

}  // namespace tovra
