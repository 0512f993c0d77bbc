#include "ui/entry/ScratchPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace tovra {

namespace {

// A group of number toggles in `columns` columns, filled column by column as the number
// groups of the other pages are.
template <std::size_t N>
QGroupBox* toggleGroup(const char* name, const char* caption, const char* itemPrefix, std::array<QCheckBox*, N>& boxes,
                       int columns, bool pad, QWidget* parent) {
  auto* group = new QGroupBox(caption, parent);
  group->setObjectName(name);
  auto* grid = new QGridLayout(group);
  const int rows = int((N + std::size_t(columns) - 1) / std::size_t(columns));
  for (std::size_t i = 0; i < N; ++i) {
    const QString text = pad ? QString("%1").arg(i + 1, 2) : QString::number(i + 1);
    boxes[i] = new QCheckBox(text, group);
    boxes[i]->setObjectName(QString("%1%2").arg(itemPrefix).arg(i + 1));
    grid->addWidget(boxes[i], int(i) % rows, int(i) / rows);
  }
  return group;
}

std::vector<int> checked(const auto& boxes) {
  std::vector<int> out;
  for (std::size_t i = 0; i < boxes.size(); ++i)
    if (boxes[i]->isChecked()) out.push_back(int(i) + 1);
  return out;
}

void setChecked(auto& boxes, const std::vector<int>& on) {
  for (QCheckBox* b : boxes) b->setChecked(false);
  for (int n : on)
    if (n >= 1 && std::size_t(n) <= boxes.size()) boxes[std::size_t(n - 1)]->setChecked(true);
}

}  // namespace

ScratchPage::ScratchPage(QWidget* parent) : QWidget(parent) {
  setObjectName("Tab7");
  auto* grid = new QGridLayout(this);
  grid->addWidget(toggleGroup("HenkanUmaGroup", "出走取消・競走除外 (馬番)", "HenkanUma", horses_, 3, true, this), 0, 0,
                  2, 1, Qt::AlignTop | Qt::AlignLeft);
  grid->addWidget(toggleGroup("HenkanWakuGroup", "枠連 返還 (枠番)", "HenkanWaku", frames_, 2, false, this), 0, 1,
                  Qt::AlignTop | Qt::AlignLeft);
  auto* note = new QLabel("取消・除外の馬を含む馬券は返還されます。\n枠連は返還となる枠番を指定して下さい。", this);
  note->setObjectName("HenkanLabel");
  grid->addWidget(note, 1, 1, Qt::AlignTop | Qt::AlignLeft);
  grid->setRowStretch(1, 1);
  grid->setColumnStretch(2, 1);
  for (QCheckBox* b : horses_) connect(b, &QCheckBox::clicked, this, &ScratchPage::toggled);
  for (QCheckBox* b : frames_) connect(b, &QCheckBox::clicked, this, &ScratchPage::toggled);
}

std::vector<int> ScratchPage::horses() const { return checked(horses_); }
std::vector<int> ScratchPage::frames() const { return checked(frames_); }
void ScratchPage::setHorses(const std::vector<int>& horses) { setChecked(horses_, horses); }
void ScratchPage::setFrames(const std::vector<int>& frames) { setChecked(frames_, frames); }

}  // namespace tovra
