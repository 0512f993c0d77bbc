#pragma once
// The ledger's announcements as Qt signals: a window connects to what it shows. It adds
// itself to the list it is given and takes itself off again when it goes.
#include <QObject>
#include <QString>

#include "storage/ledger_events.hpp"

namespace tovra {

class LedgerSignals : public QObject, public LedgerObserver {
  Q_OBJECT
 public:
  explicit LedgerSignals(LedgerEvents& events, QObject* parent = nullptr);
  ~LedgerSignals() override;

  void yearsChanged() override { emit yearListChanged(); }
  void meetingsChanged(const std::string& year, int course) override {
    emit courseMeetingsChanged(QString::fromStdString(year), course);
  }
  void dayChanged(const DayKey& key) override {
    emit meetingDayChanged(QString::fromStdString(key.year), key.course, key.index);
  }

 signals:
  void yearListChanged();
  void courseMeetingsChanged(const QString& year, int course);
  void meetingDayChanged(const QString& year, int course, int index);

 private:
  LedgerEvents& events_;
};

}  // namespace tovra
