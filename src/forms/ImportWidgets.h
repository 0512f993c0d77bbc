#pragma once
// Pieces the import dialogs share: the blue day label, the sunken text panels, and the
// 登録 / ｷｬﾝｾﾙ ending of the three confirmation dialogs.
#include <QDialog>
#include <QString>

class QLabel;
class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

namespace tovra {

// "YomikomiLabel": the meeting day shown, in blue.
QLabel* dayLabel(QWidget* parent);
// A sunken one-line panel showing a text (ForudaPanel, RacePanel, KouPanel ...).
QLabel* textPanel(const QString& objectName, const QString& text, int minWidth, QWidget* parent);

// The rows "ﾌｧｲﾙ名：" FileEdit (at most 1000 characters) and "自動検索させるﾌｫﾙﾀﾞ："
// ForudaPanel of the JRA-VAN and NIFTY dialogs.
QGridLayout* fileAndFolderRows(QWidget* parent, QLineEdit** fileEdit, QLabel** forudaPanel);
// The YomikomiBtn "読み込み", ZidouBtn "自動検索" (when `zidou`) and CancelBtn "ｷｬﾝｾﾙ" row,
// right-aligned; ｷｬﾝｾﾙ rejects the dialog.
QHBoxLayout* yomikomiButtons(QDialog* parent, QPushButton** yomikomi, QPushButton** zidou);

// The confirmation dialogs of the imports: 登録 (TourokuBtn) stores the day and accepts,
// ｷｬﾝｾﾙ (CancelBtn) or closing reads the day back and rejects.
class ImportKekaDialog : public QDialog {
  Q_OBJECT
 public:
  ImportKekaDialog(const char* objectName, const QString& caption, QWidget* parent);

 public slots:
  void TourokuBtnClick();
  void CancelBtnClick();

 protected:
  // The rows between the day label and the buttons.
  QGridLayout* body() const { return body_; }
  void finishLayout();
  void reject() override;

 private:
  QGridLayout* body_;
  bool done_ = false;
};

}  // namespace tovra
