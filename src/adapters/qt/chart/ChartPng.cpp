#include "adapters/qt/chart/ChartPng.h"

#include <QApplication>
#include <QBuffer>
#include <QPainter>

#include "adapters/qt/chart/BalanceChartPanel.h"
#include "adapters/qt/chart/RateChartView.h"
#include "adapters/qt/print/OffscreenApp.h"
#include "storage/fileio.hpp"
#include "storage/user_port.hpp"

namespace tovra {

QImage chartImage(QWidget* w, const QSize& size) {
  // Shown without reaching the screen, so that layouts and the charts' own layout run.
  w->setAttribute(Qt::WA_DontShowOnScreen);
  w->resize(size);
  w->show();
  QApplication::processEvents();
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  w->render(&painter);
  return image;
}

bool writePng(FileSystem& fs, UserPort& port, const std::filesystem::path& path, const QImage& image) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (image.save(&buffer, "PNG") && writeOutputFile(fs, path, png.constData(), static_cast<std::size_t>(png.size())))
    return true;
  showError(port, "PNGﾌｧｲﾙを書き込めませんでした。\n\n" + path.string());
  return false;
}

namespace {

class QtChartRenderer : public exports::ChartRenderer {
 public:
  bool balancePng(FileSystem& fs, UserPort& port, const std::filesystem::path& path, const exports::BalanceSeries& s,
                  const SettingsRecord& settings, int width, int height) override {
    BalanceChartPanel panel;
    panel.setSeries(s, ChartStyle::fromSettings(settings));
    return writePng(fs, port, path, chartImage(&panel, QSize(width, height)));
  }
  bool ratePng(FileSystem& fs, UserPort& port, const std::filesystem::path& path, const exports::RateChart& c,
               const SettingsRecord& settings, int width, int height) override {
    RateChartView view;
    view.setRates(c, ChartStyle::fromSettings(settings));
    return writePng(fs, port, path, chartImage(&view, QSize(width, height)));
  }
};

}  // namespace

std::unique_ptr<exports::ChartRenderer> makeQtChartRenderer() {
  ensureOffscreenApplication();
  return std::make_unique<QtChartRenderer>();
}

}  // namespace tovra
