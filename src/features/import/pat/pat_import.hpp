#pragma once
// The PAT import of a meeting day from the PAT folder: bought tickets, results with the
// first five finishers, and the runners, each read only when chosen. It fills the copy
// of the day and settles the twelve races; nothing is written (see import_day.hpp).
#include <optional>
#include <string>

#include "features/import/import_day.hpp"

namespace tovra {

class Ledger;
class UserPort;
struct ImportFolders;

struct PatRequest {
  bool purchases = true;  // CheckBox1 購入馬券ﾃﾞｰﾀ
  bool results = true;    // CheckBox2 競走成績・ﾚｰｽ結果
  bool entries = true;    // CheckBox3 出馬表・出走馬
};
// What the dialog checks when it opens: the purchases always, results and runners for
// kinds 1..3 (the DOS version has neither).
PatRequest patDefaultRequest(int patKind);

// The texts of the three reads (UTF-8): the races read, the read's "no data" text, or
// empty when the read was not chosen or stopped with a message.
struct PatTexts {
  std::string purchases, results, entries;
};

// Runs the import up to the confirmation, or ends with a refusal (the copy is then to be
// dropped). Why a chosen read found nothing to read (the others go on) is noted in `d`;
// the port serves the hourglass only.
Result<PatTexts> runPatImport(const Ledger& ledger, UserPort& port, const ImportFolders& folders, ImportCopy& d,
                              const PatRequest& request);

}  // namespace tovra
