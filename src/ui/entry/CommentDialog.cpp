#include "ui/entry/CommentDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "features/entry/entry_text.hpp"
#include "features/entry/race_entry.hpp"
#include "ui/entry/RaceDialogs.h"
#include "ui/widgets/EntryWidgets.h"
#include "ui/widgets/Looks.h"

namespace tovra {

CommentDialog::CommentDialog(DataStore& store, UserPort& port, const DayKey& key, const MeetingDay& day, int race,
                             QWidget* parent)
    : QDialog(parent), store_(store), port_(port), key_(key), day_(day), race_(race) {
  setObjectName("RaceComentoDialog");
  setWindowTitle("ﾚｰｽﾃﾞｰﾀ：ｺﾒﾝﾄ登録");
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(14, 12, 14, 12);
  grid->setVerticalSpacing(8);
  dayLabel_ = new QLabel(this);
  dayLabel_->setObjectName("DayLabel");
  grid->addWidget(dayLabel_, 0, 0);
  auto* label1 = new QLabel("ｺﾒﾝﾄは全角で 60文字まで...", this);
  label1->setObjectName("Label1");
  grid->addWidget(label1, 1, 0);
  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName("Memo");
  memo_->setFont(figureFont(14));
  // Thirty full-width characters a line: the 120 bytes the field admits fill two lines.
  const QFontMetrics fm(memo_->font());
  memo_->setFixedSize(fm.horizontalAdvance(QString(60, '0')) + 24, fm.lineSpacing() * 4 + 14);
  grid->addWidget(memo_, 2, 0);
  connect(memo_, &QPlainTextEdit::textChanged, this, &CommentDialog::trimCommentToFit);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* touroku = entryButton("TourokuBtn", "登録", this);
  auto* cancel = entryButton("CancelBtn", "ｷｬﾝｾﾙ", this);
  buttons->addWidget(touroku);
  buttons->addWidget(cancel);
  grid->addLayout(buttons, 3, 0);
  connect(touroku, &QPushButton::clicked, this, &CommentDialog::saveComment);
  connect(cancel, &QPushButton::clicked, this, &CommentDialog::reject);

  dayLabel_->setText(QString::fromStdString(entryDayLabel(day_.meeting, key_.course, race_)));
  memo_->setPlainText(QString::fromStdString(commentForMemo(day_.races[std::size_t(race_)])));
  setFixedSize(sizeHint());
}

void CommentDialog::trimCommentToFit() {
  // The field holds 120 bytes of Shift-JIS (a line break takes two): longer input is cut.
  const std::string text = memo_->toPlainText().toStdString();
  const std::string fitted = fitComment(text);
  if (fitted.size() == text.size()) return;
  QSignalBlocker block(memo_);
  memo_->setPlainText(QString::fromStdString(fitted));
  QTextCursor c = memo_->textCursor();
  c.movePosition(QTextCursor::End);
  memo_->setTextCursor(c);
}

void CommentDialog::saveComment() {
  auto written = takeOutcome(store_, port_,
                             registerComment(store_.ledger(), key_, day_, race_, memo_->toPlainText().toStdString()));
  if (!written) return;
  day_ = std::move(*written);
  accept();
}

}  // namespace tovra
