#include "ui/print/PrintDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "features/print/print_job.hpp"

namespace tovra {

PrintDialog::PrintDialog(const QString& text, const QString& printer, QWidget* parent) : QDialog(parent) {
  setObjectName("InsatsuDialog");
  setWindowTitle("印刷");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  auto* box = new QVBoxLayout(this);
  box->setContentsMargins(24, 20, 24, 16);
  box->setSpacing(14);
  auto* label = new QLabel(text, this);
  label->setObjectName("Label");
  box->addWidget(label);
  auto* pri = new QLabel(QString::fromStdString(print::printerLabel(printer.toStdString())), this);
  pri->setObjectName("PriLabel");
  box->addWidget(pri);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* insatsu = new QPushButton("印刷", this);
  insatsu->setObjectName("InsatsuBtn");
  insatsu->setDefault(true);
  // The same pages as an A4 PDF file, with or without a printer.
  auto* pdf = new QPushButton("PDF保存", this);
  pdf->setObjectName("PdfBtn");
  pdf->setToolTip("印刷する内容を PDFﾌｧｲﾙ (A4) に保存します");
  auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
  cancel->setObjectName("CancelBtn");
  buttons->addWidget(insatsu);
  buttons->addWidget(pdf);
  buttons->addWidget(cancel);
  buttons->addStretch();
  box->addLayout(buttons);
  connect(insatsu, &QPushButton::clicked, this, &PrintDialog::printOnPrinter);
  connect(pdf, &QPushButton::clicked, this, &PrintDialog::printToPdf);
  connect(cancel, &QPushButton::clicked, this, &PrintDialog::cancelPrint);
  setFixedSize(sizeHint());
}

void PrintDialog::printOnPrinter() { accept(); }
void PrintDialog::printToPdf() { done(kPdf); }
void PrintDialog::cancelPrint() { reject(); }

}  // namespace tovra
