#pragma once
// What the four tally result windows share: one window per tally, made on its first use at
// the position its settings rectangle remembers and reused afterwards; the tool bar
// (集計結果保存, CSV保存, ｸﾞﾗﾌ, 印刷, 閉じる, トヴラ終了); the background colour of the settings for tally
// windows and the positive-balance colour on its balance panels; and storing the window's
// rectangle when the close box closes (and destroys) it.
#include <QWidget>
#include <array>
#include <deque>

#include "features/export/rate_charts.hpp"
#include "features/tally/koumoku_result.hpp"
#include "features/tally/result_files.hpp"
#include "storage/settings_record.hpp"
#include "ui/tally/TallyPanels.h"

class QLabel;
class QScrollBar;
class QToolButton;

namespace tovra {

class DataStore;
class UserPort;

class TallyWindow : public QWidget {
  Q_OBJECT
 public:
  // `rect` is the window's rectangle in the settings record, `barName` its tool bar's name.
  TallyWindow(tally::TallyKind kind, Rect32 SettingsRecord::*rect, const char* objectName, const char* barName,
              DataStore& ds, SettingsRecord& settings, UserPort& port, QWidget* parent);

  // Content starts below the tool bar.
  static constexpr int kTop = 34;

  tally::TallyKind kind() const { return kind_; }
  // Shows the window (raised when it is already open) with its work file as after a tally.
  void showAfterTally();
  // Colour 7 as the background and colour 6 on every positive balance shown: after the
  // settings changed, every open window takes them up through this.
  void applyColours();

 signals:
  // トヴラ終了 was confirmed: the program ends (the main window closes).
  void endRequested();
  // ｸﾞﾗﾌ: the chart window is to show this window's result.
  void graphRequested(const exports::ChartRequest& request);

 public slots:
  void saveResult();
  void printShownResult();
  void hideWindow();
  void confirmAndEnd();
  // CSV保存: the work file's table into a file the user names; ｸﾞﾗﾌ: the chart window.
  void saveCsv();
  void openChart();

 protected:
  // Reads the work file and shows it from its first position (scroll bar 0, all courses,
  // page 0...).
  virtual void showResult() = 0;
  // Prints this window's work file as the window shows it (ToolBtn2).
  virtual void printResult() = 0;
  // What the chart shows of the result, as the window shows it: the item tally window's
  // course, the income tally window's row; -1 the whole result.
  virtual int graphShown() const { return -1; }
  // The course the window shows (the item tally window's), named in its CSV file's name;
  // kAllCoursesRow when it shows no single course.
  virtual int shownCourse() const { return tally::kAllCoursesRow; }
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

  // MainPanel (the heading, a white panel in large figures) and TimeLabel (the time stamp,
  // right-aligned beneath it), `width` wide from x; the time label's parent may differ.
  void makeHeading(int x, int width, QWidget* timeParent = nullptr, const QRect& timeRect = {});
  // Both emptied (when the work file cannot be shown).
  void clearHeading();
  // The window's vertical ScrollBar at r: positions 0 to maximum, one a step.
  QScrollBar* makeScrollBar(int maximum, const QRect& r);
  QLabel* mainPanel_ = nullptr;
  QLabel* timeLabel_ = nullptr;

  // Rows whose balance takes the positive-balance colour; applyColours() recolours them.
  // The reference stays valid for the window's life.
  FigureRow& addRow(const FigureRow& row);
  QColor plusColour() const;
  // The year the main window shows (a one-day income tally is of it).
  const std::string& currentYear() const;

  DataStore& ds_;
  SettingsRecord& settings_;
  UserPort& port_;
  std::array<QToolButton*, 4> toolBtn_{};
  QToolButton* csvBtn_ = nullptr;
  QToolButton* graphBtn_ = nullptr;
  QWidget* toolBar_ = nullptr;

 private:
  // Stores the window's screen rectangle in its settings rectangle.
  void keepRect();
  tally::TallyKind kind_;
  Rect32 SettingsRecord::*rect_;
  std::deque<FigureRow> rows_;  // stable references for the windows that keep them
};

}  // namespace tovra
