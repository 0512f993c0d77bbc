#pragma once
// Win5Dialog "WIN5": the WIN5 of one day. Its five races (Win5CourseBox1..5 with
// Win5RaceBox1..5, set by 設定 Win5LegsBtn); five columns of horse toggles (Win5LegGroup1..5
// holding Win5Horse1_1..Win5Horse5_18; the runners of the race's card when it is in the
// ledger, else 1-18), the stake per combination (Win5GakuEdit, in 100 yen), the points and
// cost of the toggles (Win5TenLabel), 追加 (Win5TsuikaBtn), 削除 (Win5SakujyoBtn) and the
// day's lines (Win5ListBox); the result (Win5WinnerEdit1..5, a dead heat as "3,4"; the
// payout per 100 yen Win5HaitouEdit in 10 yen; Win5ScratchEdit1..5; Win5CancelCheck;
// Win5NoteEdit), saved by 結果登録 (Win5KekaBtn); the day's figures (Win5FiguresLabel);
// 閉じる (CloseBtn).
//
// Every button is one change of the bet store through the WIN5 features, made at once; a
// refusal is shown and changes nothing. The caller redraws its WIN5 line after closing.
#include <QDialog>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "domain/win5.hpp"
#include "storage/ledger.hpp"
#include "storage/outcome.hpp"
#include "storage/win5_store.hpp"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace tovra {

class BetStore;
class UserPort;

class Win5Dialog : public QDialog {
  Q_OBJECT
 public:
  // The WIN5 of `date`; the races of a day without one start at `course` (0..9), 8R-12R.
  // `ledger` gives the races' cards (read only).
  Win5Dialog(const Ledger& ledger, BetStore& bets, UserPort& port, const Win5Date& date, int course,
             QWidget* parent = nullptr);
  ~Win5Dialog() override;

  // The line the toggles and stake make now.
  Win5Line pickedLine() const;

 public slots:
  void setLegs();
  void addLine();
  void deleteLine();
  void saveResult();

 private:
  QWidget* buildLegs();
  QWidget* buildHorses();
  QWidget* buildLines();
  QWidget* buildResult();
  // Reads the day again: legs, runners, lines, result fields, figures. The toggles are
  // cleared when `clearToggles`.
  void reload(bool clearToggles);
  void applyRunners();
  void refreshCount();
  // True when done; the refusal (or the file that failed) shown otherwise.
  bool done(const Status& s);

  Ledger ledger_;
  BetStore& bets_;
  UserPort& port_;
  Win5Date date_;
  int course_;
  std::optional<StoredWin5Day> day_;
  std::array<Horses, kWin5Legs> runners_;
  // The result fields as the store filled them: left so, 結果登録 keeps the stored winning
  // combinations as they are (several payouts after a dead heat cannot all be shown).
  std::array<std::string, kWin5Legs> shownWinners_;
  std::string shownPayout_;

  QLabel* dayLabel_;
  std::array<QComboBox*, kWin5Legs> courseBoxes_{};
  std::array<QComboBox*, kWin5Legs> raceBoxes_{};
  std::array<QGroupBox*, kWin5Legs> legGroups_{};
  std::array<std::vector<QToolButton*>, kWin5Legs> horses_;
  QLineEdit* stakeEdit_;
  QLabel* tenLabel_;
  QListWidget* list_;
  std::array<QLineEdit*, kWin5Legs> winnerEdits_{};
  std::array<QLineEdit*, kWin5Legs> scratchEdits_{};
  QLineEdit* payoutEdit_;
  QCheckBox* cancelCheck_;
  QLineEdit* noteEdit_;
  QLabel* figuresLabel_;
};

}  // namespace tovra
