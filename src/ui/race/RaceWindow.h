#pragma once
// ﾚｰｽﾃﾞｰﾀ / %s競馬場ﾚｰｽﾃﾞｰﾀ
// The race window: everything recorded for one race of the meeting day shown (items,
// tickets per bet type with totals, finishing order, payouts with hits, wide pages,
// entries, comment) and the tool bar that opens the race dialogs and deletes the race's
// data. One window for the whole run; showing another race refills it.
#include <QWidget>
#include <array>

#include "features/main/race_bets_view.hpp"
#include "features/main/race_view.hpp"
#include "ui/entry/RaceDialogs.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace tovra {

class BetStore;
class DataStore;
class UserPort;
struct SettingsRecord;

class RaceWindow : public QWidget {
  Q_OBJECT
 public:
  // Created hidden; placed at the left and top stored in the settings.
  RaceWindow(DataStore& ds, BetStore& bets, SettingsRecord& settings, UserPort& port, QWidget* parent = nullptr);

  // Open race window on the meeting day `key`: only a beep when the ledger holds no
  // meeting day there; otherwise the colours, the window (raised when already open) and
  // race r.
  void openRace(const DayKey& key, int r);
  // Show race r: reads the window's meeting day and refills every control from it.
  void showRace(int r);
  // The three wide panels for WideKiriBtn's state.
  void showWidePage();
  // Shows race r of the day `key` when the window is open (after that race was saved
  // elsewhere).
  void showIfOpen(const DayKey& key, int r);
  // Background colour 3 and course-name colour 4 of the settings; the race again when open
  // (hit and plus colours are applied by showRace).
  void applyColours();

  int race() const { return race_; }
  int wideState() const { return wideState_; }

 signals:
  // A race of the meeting day shown was saved or deleted: the main window redraws its view.
  void meetingChanged();
  // トヴラ終了 was confirmed: the program ends (the main window closes).
  void endRequested();

 public slots:
  void openRaceItemsDialog();
  void openPurchaseDialog();
  void openResultDialog();
  void openCommentDialog();
  void deleteThisRace();
  void printRace();
  void closeWindow();
  void confirmAndEnd();
  void toggleWidePage();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildToolBar();
  void buildUpperPanel();
  void buildTicketPages(QWidget* panel1);
  void buildTotals(QWidget* panel1);
  void buildResultPages();
  void buildAllTypesPage();
  // 馬単, 3連複 and 3連単 of race r, the scratches and the figures of all types.
  void showBets(int r);
  void openRaceDialog(RaceDialog which);
  void setResult(QLabel* panel, const ResultPanelView& v);
  // Takes `day` as the day of the window and shows race r of it.
  void showDay(const MeetingDay& day, int r);

  DataStore& ds_;
  BetStore& bets_;  // 馬単, 3連複 and 3連単 beside the course files
  SettingsRecord& settings_;
  UserPort& port_;
  DayKey key_;
  MeetingDay day_;
  int race_ = 0;
  int wideState_ = 0;

  std::array<QToolButton*, 8> toolBtn_{};
  QWidget* panel1_ = nullptr;
  QLabel* jyoLabel_ = nullptr;
  QLabel* dayPanel_ = nullptr;
  QLabel* raceNamePanel_ = nullptr;
  QLabel* kouPanel_ = nullptr;
  QTabWidget* page2_ = nullptr;
  std::array<QListWidget*, kTicketBoxes> kouBox_{};
  QLabel* gouPanel_ = nullptr;
  QLabel* ritsuPanel_ = nullptr;
  QLabel* kaikinPanel_ = nullptr;
  QLabel* shuPanel_ = nullptr;
  QPlainTextEdit* memo_ = nullptr;
  QTabWidget* page1_ = nullptr;
  QListWidget* bameiBox1_ = nullptr;
  std::array<QLabel*, 2> tankeka_{}, wakukeka_{}, umakeka_{};
  std::array<QLabel*, 4> fukukeka_{};
  std::array<QLabel*, 3> widekeka_{};
  QPushButton* wideKiriBtn_ = nullptr;
  QListWidget* shutsubaBox_ = nullptr;
  // 馬単, 3連複 and 3連単: the lines (KouBox6), the results and scratches (NewKekaBox) and
  // the 全式別 block.
  QListWidget* newKouBox_ = nullptr;
  QListWidget* newKekaBox_ = nullptr;
  QLabel* zenKouPanel_ = nullptr;
  QLabel* zenHenPanel_ = nullptr;
  QLabel* zenGouPanel_ = nullptr;
  QLabel* zenKaikinPanel_ = nullptr;
  QLabel* zenRitsuPanel_ = nullptr;
  QLabel* zenShuPanel_ = nullptr;
  // Where the entries table's columns stand for the race shown, and their heading.
  EntryColumns entryColumns_ = entryColumns({});
  QWidget* entriesHeading_ = nullptr;
};

}  // namespace tovra
