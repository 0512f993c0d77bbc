#pragma once
// ItemTallyWindow "項目集計": the item tally of tmp/koumoku.tmp for one course or all
// courses (KaiBtn1-10, KaiBtn11), one group of categories per page of Page, the page
// "その他" with the payouts hit and the 馬連 figures, and the totals of the course shown and
// of all courses in panel P. The bet-type rows (Ken) go on with 馬単, 3連複 and 3連単
// (KenKouPanel6-8 ...) from tmp/koumokusk.tmp when the tally wrote it beside the result,
// and are hidden without it (a result saved before the types were tallied).
#include <QString>
#include <array>
#include <vector>

#include "features/tally/koumoku_view.hpp"
#include "ui/tally/TallyWindow.h"

class QLabel;
class QTabWidget;
class QToolButton;

namespace tovra {

class ItemTallyWindow : public TallyWindow {
  Q_OBJECT
 public:
  ItemTallyWindow(DataStore& ds, SettingsRecord& settings, UserPort& port, QWidget* parent = nullptr);

  // Reads the work file and shows course n (0-9), or all courses (10).
  void showCourse(int n);
  // The course shown (the window's tag; printing reads it).
  int jyo() const { return jyo_; }
  // The page of Page shown (0 = Tab1).
  int tab() const;

 public slots:
  void selectCourse(int n);

 protected:
  void printResult() override;
  void showResult() override { showCourse(10); }
  int graphShown() const override { return jyo_; }
  int shownCourse() const override { return jyo_; }

 private:
  void buildPages(const tally::KoumokuView& shape);
  void buildOtherPage(QWidget* page);
  void buildTotals(int top, int width);
  void clearAll();

  int jyo_ = 10;
  int rowsX_ = 0;  // where the rows of a page start
  QLabel* jyoLabel_ = nullptr;
  QTabWidget* page_ = nullptr;
  std::array<QToolButton*, 11> kaiBtn_{};
  // Rows of the pages Tab1-Tab8 in the order of the view: page, section, row.
  std::vector<std::vector<std::vector<FigureRow*>>> rows_;
  std::array<QLabel*, 11> hai_{};
  QLabel* heitei_ = nullptr;
  QLabel* tekichu_ = nullptr;
  QLabel* racesu_ = nullptr;
  QLabel* umahei_ = nullptr;
  QLabel* zisshitsu_ = nullptr;
  QLabel* nicha_ = nullptr;
  std::array<FigureRow*, 3> newKen_{};
  FigureRow* jyoRow_ = nullptr;
  FigureRow* zenRow_ = nullptr;
};

}  // namespace tovra
