#pragma once
// CommentDialog "ﾚｰｽﾃﾞｰﾀ：ｺﾒﾝﾄ登録": the comment of one race of a copy of its meeting
// day. 登録 stores it (line breaks as CR LF), settles the race, writes the day and closes
// with Accepted (the caller takes editedDay()); ｷｬﾝｾﾙ drops the copy.
#include <QDialog>

#include "storage/ledger.hpp"

class QLabel;
class QPlainTextEdit;

namespace tovra {

class DataStore;
class UserPort;

class CommentDialog : public QDialog {
  Q_OBJECT
 public:
  // Race `race` (0..11) of `day`, the day held at `key` in the store's ledger.
  CommentDialog(DataStore& store, UserPort& port, const DayKey& key, const MeetingDay& day, int race,
                QWidget* parent = nullptr);
  // The day as 登録 wrote it.
  const MeetingDay& editedDay() const { return day_; }

 public slots:
  void saveComment();

 private:
  void trimCommentToFit();
  DataStore& store_;
  UserPort& port_;
  DayKey key_;
  MeetingDay day_;
  int race_;
  QLabel* dayLabel_;
  QPlainTextEdit* memo_;
};

}  // namespace tovra
