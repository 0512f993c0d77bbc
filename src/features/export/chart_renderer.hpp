#pragma once
// What drawing the charts into PNG files needs: a chart library (Qt Charts). The program
// and tovra-cli get their renderer from the Qt chart library when the program is built
// with Qt; the core and its tests never depend on one.
#include <filesystem>
#include <functional>
#include <memory>

#include "features/export/balance_series.hpp"
#include "features/export/rate_charts.hpp"

namespace tovra {
class FileSystem;
class UserPort;
struct SettingsRecord;
}  // namespace tovra

namespace tovra::exports {

class ChartRenderer {
 public:
  virtual ~ChartRenderer() = default;
  // Draws the chart as the chart window shows it, `width` × `height` pixels in the
  // settings' colours, and writes it as a PNG file through the file layer. False after a
  // message when the file cannot be written.
  virtual bool balancePng(FileSystem& fs, UserPort& port, const std::filesystem::path& path, const BalanceSeries& s,
                          const SettingsRecord& settings, int width, int height) = 0;
  virtual bool ratePng(FileSystem& fs, UserPort& port, const std::filesystem::path& path, const RateChart& c,
                       const SettingsRecord& settings, int width, int height) = 0;
};

// How a program makes its renderer (when it needs one: it may start a GUI library).
using ChartRendererFactory = std::function<std::unique_ptr<ChartRenderer>()>;

}  // namespace tovra::exports
