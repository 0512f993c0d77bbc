#pragma once
// Charts as PNG files: a widget drawn into an image and written whole through the file
// layer; and the renderer tovra-cli uses, which draws the chart window's panels offscreen.
#include <QImage>
#include <filesystem>
#include <memory>

#include "features/export/chart_renderer.hpp"

class QWidget;

namespace tovra {

class FileSystem;
class UserPort;

// The widget as it would show at `size` (laid out first; it need not be on screen).
QImage chartImage(QWidget* w, const QSize& size);
// The image as a PNG file; false after the message "PNGﾌｧｲﾙを書き込めませんでした。".
bool writePng(FileSystem& fs, UserPort& port, const std::filesystem::path& path, const QImage& image);

// The renderer. Makes the offscreen application when none exists (tovra-cli), so it
// must be created on the main thread.
std::unique_ptr<exports::ChartRenderer> makeQtChartRenderer();

}  // namespace tovra
