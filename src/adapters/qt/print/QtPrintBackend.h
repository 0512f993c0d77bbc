#pragma once
// The Qt print back end: the system's default printer through Qt PrintSupport (CUPS)
// and PDF files through QPdfWriter. Pages are laid out in units of 1/300 inch and drawn
// at the device's resolution, scaled down further only when a page would not fit the
// printable area; texts are drawn from their top-left corner in IPAGothic, the
// fixed-width Japanese font the windows use.
//
// A small library of its own, so that tovra-cli can print without the forms.
#include <QRectF>
#include <memory>

#include "features/print/print_backend.hpp"

class QPainter;
class QPrinter;

namespace tovra {

// The factor from page units to device pixels for a device of `dpi` whose printable area
// (device pixels, origin at its top left) is `printable`: the resolution's, or less when
// the page's ink would not fit.
double printScale(const print::Page& page, const QRectF& printable, int dpi);
// Draws one page at that scale (a document's pages all take the smallest of theirs).
void drawPrintPage(QPainter& painter, const print::Page& page, double scale);

// A device drawing on a printer (the default printer's, or in tests one writing a file).
std::unique_ptr<print::PrintDevice> printerDevice(std::unique_ptr<QPrinter> printer);

// The back end. Makes the offscreen application when none exists (tovra-cli), so it
// must be created on the main thread.
std::unique_ptr<print::PrintBackend> makeQtPrintBackend();

}  // namespace tovra
