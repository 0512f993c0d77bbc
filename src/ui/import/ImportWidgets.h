#pragma once
// Pieces the import dialogs share: the blue day label, the sunken text panels, and the
// 登録 / ｷｬﾝｾﾙ ending of the three confirmation dialogs.
#include <QDialog>
#include <QString>
#include <filesystem>

class QLabel;
class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

namespace tovra {

// "YomikomiLabel": the meeting day imported into (its label text), in blue.
QLabel* dayLabel(const QString& day, QWidget* parent);
// A sunken one-line panel showing a text (ForudaPanel, RacePanel, KouPanel ...).
QLabel* textPanel(const QString& objectName, const QString& text, int minWidth, QWidget* parent);

// The rows "ﾌｧｲﾙ名：" FileEdit (at most 1000 characters) with its SanshoBtn "参照", and
// "自動検索させるﾌｫﾙﾀﾞ：" ForudaPanel of the JRA-VAN and NIFTY dialogs.
QGridLayout* fileAndFolderRows(QWidget* parent, QLineEdit** fileEdit, QLabel** forudaPanel, QPushButton** sansho);

// The choosers behind the 参照 buttons: a modal file dialog ("SanshoDialog") opened in
// `folder` (a folder text of the import settings, relative ones below the working folder
// `root`; the working folder when empty) with `current` selected. They give the chosen
// file or folder in the system's notation, or an empty text when the user cancels.
QString chooseImportFile(QWidget* parent, const std::filesystem::path& root, const QString& folder,
                         const QString& current);
QString chooseImportFolder(QWidget* parent, const std::filesystem::path& root, const QString& current);
// The YomikomiBtn "読み込み", ZidouBtn "自動検索" (when `zidou`) and CancelBtn "ｷｬﾝｾﾙ" row,
// right-aligned; ｷｬﾝｾﾙ rejects the dialog.
QHBoxLayout* yomikomiButtons(QDialog* parent, QPushButton** yomikomi, QPushButton** zidou);

// The confirmation dialogs of the imports: 登録 (TourokuBtn) accepts, and the caller stores
// the day it read; ｷｬﾝｾﾙ (CancelBtn) or closing rejects, and the day read is dropped.
class ImportResultDialog : public QDialog {
  Q_OBJECT
 public:
  ImportResultDialog(const char* objectName, const QString& caption, const QString& day, QWidget* parent);

 public slots:
  void registerImport();
  void dropImport();

 protected:
  // The rows between the day label and the buttons.
  QGridLayout* body() const { return body_; }
  void finishLayout();

 private:
  QGridLayout* body_;
};

}  // namespace tovra
