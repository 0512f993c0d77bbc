#pragma once
// Tells every open window that the settings' colours changed (after 各種設定's 設定):
// the main window, the race window and the tally windows connect to it and recolour
// and redraw themselves.
#include <QObject>

namespace tovra {

class SettingsNotifier : public QObject {
  Q_OBJECT
 signals:
  void coloursChanged();
};

SettingsNotifier& settingsNotifier();

}  // namespace tovra
