#pragma once
// 競走収支帖 トヴラ
// The main window: course buttons, year box, meeting-day scroll bar, the twelve race
// rows with the day totals, the tool bar and the menus that open every dialog.
#include <QMainWindow>
#include <QPointer>

#include "features/main/main_selection.hpp"
#include "features/main/meeting_view.hpp"
#include "storage/ledger.hpp"
#include "storage/ledger_events.hpp"
#include "ui/entry/RaceDialogs.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;
class QStatusBar;
class QTimer;
class QToolButton;
class QWidget;

namespace tovra {

struct AppState;
class BetStore;
class DataStore;
class LedgerSignals;
class UserPort;
struct SettingsRecord;
class RowPanel;
class TallyActions;
class RaceWindow;
class HelpWindow;
class SplashWindow;
struct ImportFolders;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  // The window works on `app` (the program's objects, made before it) and hands its parts
  // on to every window and dialog it opens. The start-up splash stays `splashMillis` ms
  // (kSplashMillis; 0: none).
  MainWindow(AppState& app, int splashMillis, QWidget* parent = nullptr);
  ~MainWindow() override;
  // The start-up sequence: folders, settings, colours, splash, years, import folders,
  // meetings, start course, meeting view. False when the program must end (old-version
  // data not converted).
  bool startUp();

  // Reads the meeting day of the selection again by key and fills the rows (after every
  // change).
  void refreshMeetingView();
  // Background colour 0 and course-name colour 1 of the settings (at start-up and after
  // the settings dialog; refreshMeetingView() then recolours the rows with colours 2 and 6).
  void applyColours();
  // Refills the year box from the year table and selects the current year.
  void fillYearBox();

  // What the dialogs work on.
  DataStore& dataStore();
  BetStore& bets();
  SettingsRecord& settings();
  UserPort& port();
  ImportFolders& importFolders();
  // What the window shows, the ledger it shows it from, and who is told of its changes.
  MainSelection& selection() { return sel_; }
  Ledger ledger();
  // The meeting day shown: the open year's, of the course and meeting shown.
  DayKey shownKey();
  const LedgerEvents& ledgerEvents() const { return events_; }
  LedgerSignals& ledgerSignals() const { return *ledgerSignals_; }
  // A ledger file that could not be read or written: the numbered fatal error.
  [[noreturn]] void fatal(const FileFailure& f);
  // Shows meeting `index` of `course` in `year` (counted again when the year changes, the
  // year box following): the race window closed, the rows filled.
  void goToDay(const std::string& year, int course, int index);

  // The race window (opened from a race row, closed whenever the course, the meeting day
  // or the year changes, and before a meeting is registered, edited or deleted). Both
  // only choose the race until the race window's unit fills them in.
  void openRaceWindow(int race);
  void closeRaceWindow();
  RaceWindow* raceWindow() const;
  // The tallies and their result windows.
  TallyActions& tallies() const { return *tallies_; }

  // The race of the row whose right-click menu was opened last (0..11).
  int popupRace() const { return popupRace_; }

  // 全式別: the race rows and the totals row over all eight types and refunds (ZenShikibetsuBtn,
  // the checked menu entry ZenShikibetsuItem), or the five record types (the default).
  bool allTypesView() const { return allTypes_; }

 public slots:
  // Course buttons, year box, scroll bar, race rows.
  void selectCourse(int course);
  void showStoredSearch();
  void selectYear(int index);
  void showMeetingDay(int position);
  void showRaceOfRow(int race);
  void showRaceOfDoubleClickedRow(int race);
  void openRowMenu(int race, const QPoint& globalPos);
  // Switches the totals between the five record types and 全式別; the choice is written to
  // tovraview.dat first (it cannot be written: a message, and the view stays as it was).
  void setAllTypesView(bool on);

  // Menu entries.
  void openMeetingRegisterDialog();
  void openJravanImport();
  void openJvDataImport();
  void openNiftyImport();
  void openPatImport();
  void openIpatImport();
  void openMeetingEditDialog();
  void openGoingDialog();
  void deleteShownMeeting();
  void runIncomeTally();
  void runItemTally();
  void runRankTally();
  void runConditionTally();
  void openSavedResults();
  void openBalanceChart();  // 収支ｸﾞﾗﾌ, after the tally entries
  void searchRaceName();
  void searchGradedStakes();
  void searchPayouts();
  void searchHorseName();
  void openImportFoldersDialog();
  void openSettingsDialog();
  void printMeetingDay();
  void openYearDialog();
  void openHelp();
  void openAboutDialog();

  // Tool bar buttons: each does what its menu entry does; ToolBtn16 ends the program.
  void openMeetingRegisterDialogFromToolbar();
  void openJravanImportFromToolbar();
  void openNiftyImportFromToolbar();
  void openPatImportFromToolbar();
  void openGoingDialogFromToolbar();
  void runIncomeTallyFromToolbar();
  void runItemTallyFromToolbar();
  void runRankTallyFromToolbar();
  void runConditionTallyFromToolbar();
  void searchRaceNameFromToolbar();
  void searchGradedStakesFromToolbar();
  void searchPayoutsFromToolbar();
  void searchHorseNameFromToolbar();
  void printMeetingDayFromToolbar();
  void openHelpFromToolbar();
  void confirmAndEnd();

  // The right-click menu of a race row.
  void openRaceItemsDialog();
  void openPurchaseDialog();
  void openResultDialog();
  void openCommentDialog();
  // WIN5 of the day shown (登録 menu Win5Item, the totals row's menu Win5DayItem).
  void openWin5Dialog();

  void closeSplash();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  static constexpr int kRowFontPx = 12;  // the race rows' text
  void buildMenu();
  void buildToolBar(QWidget* central);
  void buildCoursePanel(QWidget* central);
  void buildRows(QWidget* central);
  void connectHandlers();
  void showSplash();
  // The first year the user gives, 0 when the dialog was ended (the program ends).
  int askFirstYear();
  void showView(const MeetingView& v);
  void setMeetingControls(bool hasMeeting);
  // The WIN5 line of the day shown, hidden when the day has no WIN5.
  void refreshWin5Line();
  void showWin5Line(const QString& text);
  // The race dialog of a row-menu entry on the row's race.
  void openRowDialog(RaceDialog which);
  void placeAtStoredPosition();

  QAction* action(const char* name) const;
  // The menu entry, menu or button of a command of the main window.
  void setCommandEnabled(const char* name, bool enabled);

  QWidget* panel2_ = nullptr;
  QToolButton* toolBtn_[16] = {};
  QToolButton* kaiBtn_[10] = {};
  QToolButton* kensakuBtn_ = nullptr;
  QToolButton* zenBtn_ = nullptr;
  QAction* zenItem_ = nullptr;
  QLabel* jyoLabel_ = nullptr;
  // The column headings (Label2) and "合計" (Label3), set on the window's background.
  QLabel* headings_[2] = {};
  QComboBox* comboBox_ = nullptr;
  QLabel* kaisaiPanel_ = nullptr;
  QScrollBar* scrollBar_ = nullptr;
  QPushButton* raceBtn_[12] = {};
  RowPanel* racePanel_[12] = {};
  RowPanel* kouPanel_[13] = {};
  RowPanel* shuPanel_[13] = {};
  QStatusBar* statusBar_ = nullptr;
  AppState& app_;
  const int splashMillis_;
  QMenu* popupMenu_ = nullptr;
  QMenu* dayMenu_ = nullptr;  // the totals row's menu
  QLabel* win5Label_ = nullptr;
  QTimer* timer1_ = nullptr;
  QPointer<SplashWindow> splash_;
  qint64 splashShownAt_ = 0;
  QPointer<HelpWindow> help_;
  QPointer<RaceWindow> raceForm_;
  TallyActions* tallies_ = nullptr;
  int popupRace_ = 0;
  bool hasMeeting_ = false;
  bool allTypes_ = false;
  // The check marks of both controls as allTypes_ says.
  void showAllTypesChoice();
  MainSelection sel_;
  LedgerEvents events_;
  LedgerSignals* ledgerSignals_ = nullptr;
};

}  // namespace tovra
