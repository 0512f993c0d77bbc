#include "ui/import/JvDataImportDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "features/import/jvdata/jvdata_import.hpp"

namespace tovra {

JvDataImportDialog::JvDataImportDialog(const QString& day, std::filesystem::path root, QWidget* parent)
    : QDialog(parent), root_(std::move(root)) {
  setObjectName("JvDataImportDialog");
  setWindowTitle(QString::fromUtf8(msg::kJvCaption));
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(16, 14, 16, 12);
  v->addWidget(dayLabel(day, this));
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel("ﾌｧｲﾙ名：", this));
  fileEdit_ = new QLineEdit(this);
  fileEdit_->setObjectName("FileEdit");
  fileEdit_->setMaxLength(1000);
  fileEdit_->setMinimumWidth(300);
  row->addWidget(fileEdit_, 1);
  auto* sansho = new QPushButton("参照", this);
  sansho->setObjectName("SanshoBtn");
  row->addWidget(sansho);
  v->addLayout(row);
  QPushButton* yomikomi = nullptr;
  v->addLayout(yomikomiButtons(this, &yomikomi, nullptr));
  connect(sansho, &QPushButton::clicked, this, &JvDataImportDialog::chooseFile);
  connect(yomikomi, &QPushButton::clicked, this, &JvDataImportDialog::importNamedFile);
  setFixedSize(sizeHint());
}

QString JvDataImportDialog::fileName() const { return fileEdit_->text(); }

void JvDataImportDialog::chooseFile() {
  const QString file = chooseImportFile(this, root_, QString(), fileEdit_->text());
  if (!file.isEmpty()) fileEdit_->setText(file);
}

// A dialog without a file name stays open.
void JvDataImportDialog::importNamedFile() {
  if (fileEdit_->text().isEmpty()) {
    fileEdit_->setFocus();
    return;
  }
  accept();
}

JvDataImportResultDialog::JvDataImportResultDialog(const QString& day, const QString& source,
                                                   const QStringList& lines, QWidget* parent)
    : ImportResultDialog("JvDataImportResultDialog", QString::fromUtf8(msg::kJvDoneCaption), day, parent) {
  body()->addWidget(new QLabel("読み込んだﾌｧｲﾙ：", this), 0, 0);
  body()->addWidget(textPanel("FilePanel", source, 360, this), 1, 0);
  // "読み込んだﾚｰｽ： 1R  2R": the caption above, the text in the panel named by the caption.
  struct Panel {
    const char* caption;
    const char* name;
  };
  const Panel panels[] = {{"読み込んだﾚｰｽ", "RacePanel"}, {"削除されたﾚｰｽ", "DeletedPanel"}, {"WIN5", "Win5Panel"}};
  int row = 2;
  for (const QString& line : lines) {
    const int colon = line.indexOf(QString::fromUtf8("："));
    const QString caption = line.left(colon);
    for (const Panel& p : panels) {
      if (caption != QString::fromUtf8(p.caption)) continue;
      body()->addWidget(new QLabel(line.left(colon + 1), this), row++, 0);
      body()->addWidget(textPanel(p.name, line.mid(colon + 1), 360, this), row++, 0);
    }
  }
  finishLayout();
}

}  // namespace tovra
