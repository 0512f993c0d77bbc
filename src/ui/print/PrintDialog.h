#pragma once
// PrintDialog "印刷": names what will be printed and the current printer, and asks:
// 印刷 on the printer, PDF保存 into a PDF file instead, or ｷｬﾝｾﾙ.
#include <QDialog>

namespace tovra {

class PrintDialog : public QDialog {
  Q_OBJECT
 public:
  // exec()'s answer for PDF保存 (印刷 is Accepted, ｷｬﾝｾﾙ Rejected).
  static constexpr int kPdf = 2;

  // text: the kind's confirmation; printer: the default printer's name (empty: none).
  PrintDialog(const QString& text, const QString& printer, QWidget* parent = nullptr);

 public slots:
  void printOnPrinter();
  void printToPdf();
  void cancelPrint();
};

}  // namespace tovra
