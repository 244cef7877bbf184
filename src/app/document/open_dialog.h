#pragma once
// The picture open dialog as " Ouvrir" asks for it. It remembers the last
// file and file type for as long as the program runs.
#include "platform/dialogs.h"

namespace kel {

// The eleven file types, in order, as "<description> (<patterns>)".
QStringList openPictureFilters();

// The folder Kelvary in `home` when it exists, otherwise `home`.
QString defaultPictureFolder(const QString& home);

class OpenDialogMemory {
public:
    // The request for the next opening (the folder is looked up in the user's home).
    FileDialogRequest request() const;
    // Keeps the chosen file and file type for the next opening.
    void remember(const FileChoice& choice);
    // The last file chosen, empty before the first choice.
    const QString& lastFile() const { return lastFile_; }

private:
    QString lastFile_;
    int lastFilter_ = 1;
};

} // namespace kel
