#pragma once
// Qt's own texts (the buttons and labels of the file, colour and question dialogs) in
// Japanese, like the rest of the program.
#include <QString>

namespace tovra {

// Loads Qt's Japanese translation (qtbase_ja from `folder`, by default Qt's translations
// folder) into the running application, once. Returns false when the folder has none or
// there is no application yet; the program then goes on with Qt's English texts.
bool installQtJapanese(const QString& folder = QString());

}  // namespace tovra
