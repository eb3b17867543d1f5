#pragma once

#include <QString>

namespace pivlo {

// Deletes the plain files of a folder (not its subfolders or their contents), collecting
// the names first and deleting them in listing order. Failures are ignored: a file that
// cannot be deleted stays.
void ClearFolderFiles(const QString& folder);

// Creates the folder when missing, else empties it with ClearFolderFiles. Start-up does
// this to Temp/.
void PrepareEmptyFolder(const QString& folder);

}  // namespace pivlo
