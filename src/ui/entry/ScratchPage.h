#pragma once
// The 返還 page (Tab7) of ﾚｰｽ結果: the scratched horses (出走取消・競走除外) as 18 toggles
// (HenkanUma1..HenkanUma18 in the group HenkanUmaGroup) and the 枠連 frames refunded as 8
// toggles (HenkanWaku1..HenkanWaku8 in HenkanWakuGroup). Every toggle a user clicks is
// reported with toggled(); the dialog may take it back with setHorses/setFrames.
#include <QWidget>
#include <array>
#include <vector>

class QCheckBox;

namespace tovra {

class ScratchPage : public QWidget {
  Q_OBJECT
 public:
  explicit ScratchPage(QWidget* parent = nullptr);

  // The toggles checked, ascending.
  std::vector<int> horses() const;
  std::vector<int> frames() const;
  void setHorses(const std::vector<int>& horses);
  void setFrames(const std::vector<int>& frames);
  QCheckBox* horse(int h) const { return horses_[std::size_t(h - 1)]; }
  QCheckBox* frame(int f) const { return frames_[std::size_t(f - 1)]; }

 signals:
  // A toggle was clicked (not set by the program).
  void toggled();

 private:
  std::array<QCheckBox*, 18> horses_{};
  std::array<QCheckBox*, 8> frames_{};
};

}  // namespace tovra
