#include "ui/import/IpatImportDialog.h"

#include <algorithm>
#include <array>

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "storage/text.hpp"
#include "storage/user_port.hpp"
#include "ui/import/ImportWidgets.h"

namespace tovra {
namespace {

QString q(const std::string& utf8) { return QString::fromStdString(utf8); }

const char* stateText(const IpatLineReport& r) {
  switch (r.state) {
    case IpatLineState::Taken: return "読み込む";
    case IpatLineState::Duplicate: return msg::kIpatDuplicate;
    case IpatLineState::Refused: return "読み込めません";
  }
  return "";
}

}  // namespace

IpatImportDialog::IpatImportDialog(Reader reader, UserPort& port, std::filesystem::path root, QWidget* parent)
    : QDialog(parent), reader_(std::move(reader)), port_(port), root_(std::move(root)) {
  setObjectName("IpatImportDialog");
  setWindowTitle("投票履歴(CSV)読み込み");
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(16, 14, 16, 12);

  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(new QLabel("ﾌｧｲﾙ名：", this));
  fileEdit_ = new QLineEdit(this);
  fileEdit_->setObjectName("FileEdit");
  fileEdit_->setMaxLength(1000);
  fileEdit_->setMinimumWidth(360);
  fileRow->addWidget(fileEdit_, 1);
  auto* sansho = new QPushButton("参照", this);
  sansho->setObjectName("SanshoBtn");
  fileRow->addWidget(sansho);
  auto* yomikomi = new QPushButton("読み込み", this);
  yomikomi->setObjectName("YomikomiBtn");
  fileRow->addWidget(yomikomi);
  v->addLayout(fileRow);

  registerCheck_ = new QCheckBox("開催が登録されていない日は開催登録する", this);
  registerCheck_->setObjectName("RegisterCheck");
  v->addWidget(registerCheck_);

  table_ = new QTableWidget(0, 8, this);
  table_->setObjectName("PreviewTable");
  table_->setHorizontalHeaderLabels({"行", "ﾚｰｽ", "式別", "方式", "馬／組番", "点数", "金額", "状態"});
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::NoSelection);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setMinimumSize(640, 240);
  v->addWidget(table_, 1);

  notices_ = new QListWidget(this);
  notices_->setObjectName("NoticeList");
  notices_->setMaximumHeight(90);
  v->addWidget(notices_);

  total_ = new QLabel(this);
  total_->setObjectName("TotalLabel");
  v->addWidget(total_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  touroku_ = new QPushButton("登録", this);
  touroku_->setObjectName("TourokuBtn");
  touroku_->setEnabled(false);
  auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
  cancel->setObjectName("CancelBtn");
  buttons->addWidget(touroku_);
  buttons->addWidget(cancel);
  v->addLayout(buttons);

  connect(sansho, &QPushButton::clicked, this, &IpatImportDialog::chooseFile);
  connect(yomikomi, &QPushButton::clicked, this, &IpatImportDialog::readFile);
  connect(registerCheck_, &QCheckBox::toggled, this, &IpatImportDialog::refreshPreview);
  connect(touroku_, &QPushButton::clicked, this, &IpatImportDialog::registerImport);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool IpatImportDialog::registerDays() const { return registerCheck_->isChecked(); }

void IpatImportDialog::chooseFile() {
  const QString file = chooseImportFile(this, root_, QString(), fileEdit_->text());
  if (file.isEmpty()) return;
  fileEdit_->setText(file);
  readFile();
}

void IpatImportDialog::readFile() {
  file_.reset();
  const std::string text = fileEdit_->text().toStdString();
  if (text.empty()) {
    port_.message("確認", "ﾌｧｲﾙ名を指定して下さい。", MsgIcon::Error);
    refreshPreview();
    return;
  }
  std::filesystem::path p(text);
  if (p.is_relative()) p = root_ / p;
  auto read = reader_.load(p);
  if (!read) {
    if (read.refused()) showRefusal(port_, read.refusal());
    refreshPreview();
    return;
  }
  file_ = std::move(*read);
  refreshPreview();
}

void IpatImportDialog::refreshPreview() {
  table_->setRowCount(0);
  notices_->clear();
  total_->clear();
  touroku_->setEnabled(false);
  if (!file_) return;
  const auto p = reader_.preview(*file_, registerDays());
  if (!p) {
    if (p.refused()) showRefusal(port_, p.refusal());
    return;
  }
  const std::size_t win5Rows = std::min(file_->win5.size(), p->win5.size());
  table_->setRowCount(static_cast<int>(file_->lines.size() + win5Rows));
  const auto setRow = [this](int row, const std::array<QString, 8>& cells) {
    for (int c = 0; c < 8; ++c) {
      auto* item = new QTableWidgetItem(cells[static_cast<std::size_t>(c)]);
      if (c == 0 || c == 5 || c == 6) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table_->setItem(row, c, item);
    }
  };
  const auto state = [](const IpatLineReport& r) {
    return r.reason.empty() ? q(stateText(r)) : q(std::string(stateText(r)) + "：" + r.reason);
  };
  int row = 0;
  for (std::size_t i = 0; i < file_->lines.size(); ++i) {
    const IpatLine& l = file_->lines[i];
    setRow(row++, {QString::number(l.line), q(ipatRaceText(l)), q(ipatTypeName(l.type)), q(ipatMethodText(l)),
                   q(l.numbersText), QString::number(l.points), QString::number(l.cost) + "円", state(p->lines[i])});
  }
  // The WIN5 lines after the others: the day's five races instead of a race.
  for (std::size_t i = 0; i < win5Rows; ++i) {
    const IpatWin5& w = file_->win5[i];
    setRow(row++, {QString::number(w.line), q(sjprintfUtf8("%d/%d", w.month, w.day)), "WIN5", "",
                   q(ipatWin5NumbersText(w)), QString::number(w.points), QString::number(w.cost) + "円",
                   state(p->win5[i])});
  }
  table_->resizeColumnsToContents();
  for (const std::string& n : p->notices) notices_->addItem(q(n));
  for (const std::string& d : p->differences) notices_->addItem(q("相違：" + d));
  total_->setText(q(sjprintfUtf8("読み込む馬券  %d行  %lld円", p->taken, static_cast<long long>(p->takenCost))));
  touroku_->setEnabled(p->taken > 0);
}

void IpatImportDialog::registerImport() {
  if (!file_) return;
  accept();
}

}  // namespace tovra
