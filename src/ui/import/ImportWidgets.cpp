#include "ui/import/ImportWidgets.h"

#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets/EntryWidgets.h"

namespace tovra {

QLabel* dayLabel(const QString& day, QWidget* parent) {
  auto* l = new QLabel(day, parent);
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

namespace {

// A folder text of the import settings ("C:\\JV\\" or "jv/") as a folder to open a chooser
// in: relative ones below the working folder.
QString startFolder(const std::filesystem::path& rootPath, const QString& text) {
  QString t = text;
  if (t.endsWith('\\')) t.chop(1);
  const QDir root(QString::fromStdString(rootPath.string()));
  return t.isEmpty() ? root.absolutePath() : root.absoluteFilePath(t);
}

QString runChooser(QWidget* parent, QFileDialog::FileMode mode, const QString& caption, const QString& folder,
                   const QString& current) {
  QFileDialog dialog(parent, caption, folder);
  dialog.setObjectName("SanshoDialog");
  // The program's own dialog: the same on every system, and in the tests.
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setFileMode(mode);
  if (mode == QFileDialog::Directory) dialog.setOption(QFileDialog::ShowDirsOnly, true);
  if (!current.isEmpty()) dialog.selectFile(current);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return QDir::toNativeSeparators(dialog.selectedFiles().front());
}

}  // namespace

QString chooseImportFile(QWidget* parent, const std::filesystem::path& root, const QString& folder,
                         const QString& current) {
  return runChooser(parent, QFileDialog::ExistingFile, "ﾌｧｲﾙの選択", startFolder(root, folder), current);
}

QString chooseImportFolder(QWidget* parent, const std::filesystem::path& root, const QString& current) {
  return runChooser(parent, QFileDialog::Directory, "ﾌｫﾙﾀﾞの選択", startFolder(root, current), QString());
}

QGridLayout* fileAndFolderRows(QWidget* parent, QLineEdit** fileEdit, QLabel** forudaPanel, QPushButton** sansho) {
  auto* grid = new QGridLayout;
  *fileEdit = new QLineEdit(parent);
  (*fileEdit)->setObjectName("FileEdit");
  (*fileEdit)->setMaxLength(1000);
  (*fileEdit)->setMinimumWidth(360);
  (*fileEdit)->setFocus();  // the file name is typed first
  *forudaPanel = textPanel("ForudaPanel", "", 360, parent);
  grid->addWidget(new QLabel("ﾌｧｲﾙ名：", parent), 0, 0);
  grid->addWidget(*fileEdit, 0, 1);
  *sansho = entryButton("SanshoBtn", "参照", parent);
  grid->addWidget(*sansho, 0, 2);
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

ImportResultDialog::ImportResultDialog(const char* objectName, const QString& caption, const QString& day,
                                       QWidget* parent)
    : QDialog(parent) {
  setObjectName(objectName);
  setWindowTitle(caption);
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(16, 14, 16, 12);
  v->setSpacing(10);
  v->addWidget(dayLabel(day, this));
  body_ = new QGridLayout;
  body_->setHorizontalSpacing(8);
  body_->setVerticalSpacing(6);
  v->addLayout(body_);
}

void ImportResultDialog::finishLayout() {
  auto* row = new QHBoxLayout;
  row->addStretch();
  auto* touroku = entryButton("TourokuBtn", "登録", this);
  auto* cancel = entryButton("CancelBtn", "ｷｬﾝｾﾙ", this);
  row->addWidget(touroku);
  row->addWidget(cancel);
  static_cast<QVBoxLayout*>(layout())->addLayout(row);
  connect(touroku, &QPushButton::clicked, this, &ImportResultDialog::registerImport);
  connect(cancel, &QPushButton::clicked, this, &ImportResultDialog::dropImport);
  setFixedSize(sizeHint());
}

void ImportResultDialog::registerImport() { accept(); }

void ImportResultDialog::dropImport() { reject(); }

}  // namespace tovra
