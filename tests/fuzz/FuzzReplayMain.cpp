// Replays a fuzz corpus through a harness: every file under the folders (or the files)
// given. Used by CTest so that the committed corpus is checked on every run.

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  int replayed = 0;
  for (int i = 1; i < argc; ++i) {
    const QString root = QString::fromLocal8Bit(argv[i]);
    QStringList files;
    if (QFileInfo(root).isDir()) {
      QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
      while (it.hasNext()) files << it.next();
    } else {
      files << root;
    }
    for (const QString& path : files) {
      QFile file(path);
      if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 1;
      }
      const QByteArray bytes = file.readAll();
      LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
      ++replayed;
    }
  }
  std::printf("replayed %d inputs\n", replayed);
  return replayed > 0 ? 0 : 1;  // an empty corpus means it was not found
}
