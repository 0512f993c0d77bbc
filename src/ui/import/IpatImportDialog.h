#pragma once
// IpatImportDialog "投票履歴(CSV)読み込み": a day's purchase history of the betting service.
// The file is chosen (FileEdit, SanshoBtn) and read (YomikomiBtn); PreviewTable lists its
// lines with their points and cost and what becomes of each (the WIN5 lines last),
// NoticeList the days to register, WIN5 days without legs and differences from the
// results held, TotalLabel what would be
// taken. 登録 (TourokuBtn) accepts, and the caller imports the file read; ｷｬﾝｾﾙ
// (CancelBtn) rejects and nothing changes.
#include <QDialog>
#include <filesystem>
#include <functional>
#include <optional>

#include "features/import/ipat/ipat_import.hpp"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace tovra {

class UserPort;

class IpatImportDialog : public QDialog {
  Q_OBJECT
 public:
  // What the dialog asks of the ledger: the file read, and its preview with or without
  // registering the missing days.
  struct Reader {
    std::function<Result<IpatFile>(const std::filesystem::path&)> load;
    std::function<Result<IpatPreview>(const IpatFile&, bool registerDays)> preview;
  };
  // Relative files below the working folder `root`; refusals are shown through `port`.
  IpatImportDialog(Reader reader, UserPort& port, std::filesystem::path root, QWidget* parent = nullptr);

  // The file read (set once 読み込み succeeded) and whether missing days are registered.
  const std::optional<IpatFile>& file() const { return file_; }
  bool registerDays() const;

 public slots:
  void chooseFile();  // 参照
  void readFile();    // 読み込み
  void refreshPreview();
  void registerImport();  // 登録

 private:
  Reader reader_;
  UserPort& port_;
  std::filesystem::path root_;
  std::optional<IpatFile> file_;
  QLineEdit* fileEdit_;
  QCheckBox* registerCheck_;
  QTableWidget* table_;
  QListWidget* notices_;
  QLabel* total_;
  QPushButton* touroku_;
};

}  // namespace tovra
