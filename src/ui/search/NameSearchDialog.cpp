#include "ui/search/NameSearchDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "features/entry/entry_text.hpp"
#include "features/search/search_files.hpp"
#include "features/search/search_input.hpp"
#include "storage/text.hpp"
#include "ui/search/SearchRangeBox.h"
#include "ui/widgets/EditableCombo.h"

namespace tovra {

NameSearchDialog::NameSearchDialog(bool raceName, DataStore& ds, UserPort& port, QWidget* parent)
    : QDialog(parent), port_(port), type_(raceName ? search::SearchType::RaceMei : search::SearchType::Bamei) {
  setObjectName("NameKensakuDialog");
  setWindowTitle(raceName ? "ﾚｰｽ名検索" : "ﾚｰｽ結果馬名検索");
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(16, 14, 16, 14);
  grid->setVerticalSpacing(10);
  auto* label = new QLabel(raceName ? "検索するﾚｰｽ名 (文字列 )：" : "検索する馬名 (文字列 )：", this);
  label->setObjectName("Label1");
  grid->addWidget(label, 0, 0, 1, 2);
  moji_ = makeEditableCombo("MojiBox", this);
  moji_->setMaxVisibleItems(6);
  moji_->setMinimumWidth(380);
  for (const std::string& t : search::readHistory(ds, raceName).texts())
    moji_->addItem(QString::fromStdString(cp932ToUtf8(t)));
  moji_->setCurrentIndex(-1);
  moji_->setEditText(QString());
  grid->addWidget(moji_, 1, 0, 1, 2);
  range_ = new SearchRangeBox(ds, this);
  grid->addWidget(range_, 2, 0);

  QPushButton* kensaku = nullptr;
  grid->addLayout(kensakuButtons(this, &kensaku), 2, 1);
  connect(kensaku, &QPushButton::clicked, this, &NameSearchDialog::startSearch);
  connect(moji_->lineEdit(), &QLineEdit::textEdited, this, &NameSearchDialog::fitSearchText);
  setFixedSize(sizeHint());
}

void NameSearchDialog::fitSearchText(const QString& text) {
  // The box holds 60 bytes of Shift-JIS: longer input is cut as it is typed.
  QLineEdit* edit = moji_->lineEdit();
  const std::string fitted = fitCp932Bytes(text.toStdString(), search::kTextMaxBytes);
  if (fitted.size() != text.toStdString().size()) {
    const int pos = edit->cursorPosition();
    edit->setText(QString::fromStdString(fitted));
    edit->setCursorPosition(std::min(pos, int(edit->text().size())));
  }
}

void NameSearchDialog::startSearch() {
  const QString text = moji_->currentText();
  const auto cp932 = search::acceptNameText(port_, type_, text.toStdString());
  if (!cp932) return;
  params_ = {};
  params_.type = type_;
  params_.text = *cp932;
  // Picked: the text is the history entry chosen in the list, unedited.
  const int i = moji_->currentIndex();
  params_.picked = i >= 0 && moji_->itemText(i) == text;
  params_.range = range_->range();
  params_.hitOnly = range_->hitOnly();
  accept();
}

}  // namespace tovra
