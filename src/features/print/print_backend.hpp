#pragma once
// What a print back end offers: the system's default printer and PDF files. The desktop
// program and tovra-cli get theirs from the Qt back end when the program is built with
// Qt; the core and its tests never depend on one.
#include <filesystem>
#include <functional>
#include <memory>

#include "features/print/print_job.hpp"

namespace tovra {
class FileSystem;
}

namespace tovra::print {

class PrintBackend {
 public:
  virtual ~PrintBackend() = default;
  virtual Printer& systemPrinter() = 0;
  // A device that writes the document as a PDF file of A4 pages (through the file layer,
  // when the document ends).
  virtual std::unique_ptr<PrintDevice> pdfFile(FileSystem& fs, const std::filesystem::path& path) = 0;
};

// How a program makes its back end (when it needs one: it may start a GUI library).
using PrintBackendFactory = std::function<std::unique_ptr<PrintBackend>()>;

}  // namespace tovra::print
