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

#include "print/print_backend.hpp"

class QPainter;

namespace tovra {

// Draws one page: `printable` is the device's printable area in device pixels (origin
// at its top left), `dpi` the device's resolution.
void drawPrintPage(QPainter& painter, const print::Page& page, const QRectF& printable, int dpi);
// The factor from page units to device pixels: the resolution's, or less when the
// page's ink would not fit the printable area.
double printScale(const print::Page& page, const QRectF& printable, int dpi);

// The back end. Makes a QGuiApplication on the offscreen platform when none exists
// (tovra-cli), so it must be created on the main thread.
std::unique_ptr<print::PrintBackend> makeQtPrintBackend();

}  // namespace tovra
