#include "audio/SoundFont.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace pivlo {

QStringList SoundFontFolders() { return {u"/usr/share/sounds/sf2"_s, u"/usr/share/soundfonts"_s}; }

QString FindSoundFont(const QStringList& folders) {
  QString first;
  for (const QString& folder : folders) {
    const QFileInfoList files =
        QDir(folder).entryInfoList({u"*.sf2"_s, u"*.sf3"_s}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& file : files) {
      if (file.completeBaseName() == u"FluidR3_GM") return file.filePath();  // the fuller sound
    }
    if (first.isEmpty() && !files.isEmpty()) first = files.first().filePath();
  }
  return first;
}

}  // namespace pivlo
