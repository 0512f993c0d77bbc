#pragma once
// SettingsDialog "各種設定": the start course, the race window's first ticket page,
// the exit confirmation, the age labels and the eight colours.
//
// Showing it stores the settings in tovractm.dat and keeps that record: ｷｬﾝｾﾙ (also
// Escape and the close box) returns to it, colours chosen meanwhile included. 設定 takes
// the choices, stores the record and tells whoever listens to take up the colours.
#include <QDialog>

#include "storage/settings_record.hpp"

class QCheckBox;
class QColorDialog;
class QComboBox;
class QLabel;
class QListWidget;
class QTabWidget;

namespace tovra {

struct AppState;

class SettingsDialog : public QDialog {
  Q_OBJECT
 public:
  // Edits app.settings, stored in app's ledger folder; messages through app.port.
  explicit SettingsDialog(AppState& app, QWidget* parent = nullptr);
  QColorDialog* colorDialog() const { return colorDialog_; }

 signals:
  // After 設定: the colours may have changed (the main window recolours every window).
  void coloursChanged();

 public slots:
  void showStoredSettings();
  void showChosenColour();
  void chooseColour();
  void applySettings();
  void cancelSettings();
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* buildEnvironmentTab();
  QWidget* buildColourTab();
  void showPanelColour(int index);

  AppState& app_;
  QTabWidget* page1_ = nullptr;
  QComboBox* babaBox_ = nullptr;
  QComboBox* shikiBox_ = nullptr;
  QCheckBox* checkBox1_ = nullptr;
  QCheckBox* checkBox2_ = nullptr;
  QListWidget* listBox_ = nullptr;
  QLabel* panel_ = nullptr;
  QColorDialog* colorDialog_ = nullptr;
  SettingsRecord shown_;  // the record as it was when the dialog was shown
  bool activated_ = false;
};

}  // namespace tovra
