#include "adapters/qt/print/QtPrintBackend.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <cstdio>

#include "adapters/qt/print/JapaneseFont.h"
#include "adapters/qt/print/OffscreenApp.h"
#include "storage/fileio.hpp"

namespace tovra {

using print::DrawText;
using print::Page;

namespace {

// Draws the pages of a document on a paint device the painter is begun on. The pages are
// kept until the document ends: all of them take one scale, the one the largest needs.
class PainterDevice : public print::PrintDevice {
 public:
  bool beginPage() override {
    pages_.emplace_back();
    return true;
  }
  void draw(const DrawText& t) override {
    if (!pages_.empty()) pages_.back().push_back(t);
  }
  bool endDocument() override {
    if (!painter_.isActive()) return false;
    double scale = static_cast<double>(dpi()) / print::kUnitsPerInch;
    for (const Page& p : pages_) scale = std::min(scale, printScale(p, printable(), dpi()));
    for (std::size_t i = 0; i < pages_.size(); ++i) {
      if (i > 0 && !nextPage()) {
        painter_.end();
        return false;
      }
      drawPrintPage(painter_, pages_[i], scale);
    }
    return finish();
  }

 protected:
  virtual bool nextPage() = 0;
  virtual bool finish() = 0;
  virtual QRectF printable() const = 0;
  virtual int dpi() const = 0;

  QPainter painter_;

 private:
  std::vector<Page> pages_;
};

class PrinterDevice : public PainterDevice {
 public:
  explicit PrinterDevice(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}
  bool beginDocument(const std::string& name) override {
    printer_->setDocName(QString::fromStdString(name));
    return painter_.begin(printer_.get());
  }

 private:
  bool nextPage() override { return printer_->newPage(); }
  bool finish() override { return painter_.isActive() && painter_.end(); }
  QRectF printable() const override { return printer_->pageLayout().paintRectPixels(printer_->resolution()); }
  int dpi() const override { return printer_->resolution(); }

  std::unique_ptr<QPrinter> printer_;
};

// A PDF made in memory and written whole through the file layer at the end.
class PdfDevice : public PainterDevice {
 public:
  PdfDevice(FileSystem& fs, std::filesystem::path path) : fs_(fs), path_(std::move(path)) {
    buffer_.open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(&buffer_);
    writer_->setResolution(print::kUnitsPerInch);
    writer_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer_->setCreator(QStringLiteral("競走収支帖 トヴラ"));
  }
  bool beginDocument(const std::string& name) override {
    writer_->setTitle(QString::fromStdString(name));
    return painter_.begin(writer_.get());
  }

 private:
  bool nextPage() override { return writer_->newPage(); }
  bool finish() override {
    if (!painter_.isActive() || !painter_.end()) return false;
    const QByteArray& pdf = buffer_.data();
    return writeOutputFile(fs_, path_, pdf.constData(), static_cast<std::size_t>(pdf.size()));
  }
  QRectF printable() const override { return QRectF(0, 0, print::kPageWidth, print::kPageHeight); }
  int dpi() const override { return print::kUnitsPerInch; }

  FileSystem& fs_;
  std::filesystem::path path_;
  QBuffer buffer_;
  std::unique_ptr<QPdfWriter> writer_;
};

class QtSystemPrinter : public print::Printer {
 public:
  std::optional<std::string> defaultPrinterName() override {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return std::nullopt;
    return info.printerName().toStdString();
  }
  std::unique_ptr<print::PrintDevice> openDefault() override {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return nullptr;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (!printer->isValid()) return nullptr;
    printer->setColorMode(QPrinter::Color);  // hits print red, positive balances blue
    return printerDevice(std::move(printer));
  }
};

class QtPrintBackend : public print::PrintBackend {
 public:
  print::Printer& systemPrinter() override { return printer_; }
  std::unique_ptr<print::PrintDevice> pdfFile(FileSystem& fs, const std::filesystem::path& path) override {
    return std::make_unique<PdfDevice>(fs, path);
  }

 private:
  QtSystemPrinter printer_;
};

}  // namespace

std::unique_ptr<print::PrintDevice> printerDevice(std::unique_ptr<QPrinter> printer) {
  return std::make_unique<PrinterDevice>(std::move(printer));
}

double printScale(const Page& page, const QRectF& printable, int dpi) {
  double scale = static_cast<double>(dpi) / print::kUnitsPerInch;
  const print::Box ink = print::inkExtent(page);
  if (ink.right > 0 && ink.right * scale > printable.width()) scale = printable.width() / ink.right;
  if (ink.bottom > 0 && ink.bottom * scale > printable.height()) scale = printable.height() / ink.bottom;
  return scale;
}

void drawPrintPage(QPainter& painter, const Page& page, double scale) {
  painter.save();
  painter.scale(scale, scale);
  for (const DrawText& t : page) {
    painter.setFont(japaneseFixedFont(t.size));
    painter.setPen(QColor(t.colour.r, t.colour.g, t.colour.b));
    // From the top-left corner; the rectangle is only an anchor, nothing is clipped.
    painter.drawText(QRectF(t.x, t.y, print::kPageWidth, t.size * 2), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                     QString::fromStdString(t.text));
  }
  painter.restore();
}

std::unique_ptr<print::PrintBackend> makeQtPrintBackend() {
  ensureOffscreenApplication();
  return std::make_unique<QtPrintBackend>();
}

}  // namespace tovra
