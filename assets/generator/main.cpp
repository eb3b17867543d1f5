// pivlo-assets: draws the pictures the program ships (button faces, banner, dialog
// pictures, the rainbow texture, the picture frames) into a folder, for pivlo-pack, and
// the program's icon for the install.
//   pivlo-assets OUTDIR [FILE...]    (no FILE: every picture)

#include "Assets.h"
#include "GifWriter.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>

namespace {

using pivlo::assets::Asset;

bool Save(const QImage& image, const QString& path, QString& error) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == u"gif") return pivlo::assets::WriteGif(image, path, error);
  QImageWriter writer(path, suffix == u"jpg" ? "jpeg" : "png");
  if (suffix == u"jpg") {
    writer.setQuality(92);
  } else {
    writer.setQuality(0);  // PNG: the smallest file
  }
  if (writer.write(suffix == u"jpg" ? image.convertToFormat(QImage::Format_RGB32) : image)) return true;
  error = path + QStringLiteral(": ") + writer.errorString();
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // Drawing text needs a GUI application; a build machine has no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(1);
  if (args.isEmpty()) {
    std::fprintf(stderr, "usage: pivlo-assets OUTDIR [FILE...]\n");
    return 2;
  }
  QList<Asset> assets;
  pivlo::assets::AddButtonFaces(assets);
  pivlo::assets::AddPictures(assets);
  pivlo::assets::AddFrames(assets);
  pivlo::assets::AddProgramIcons(assets);

  QStringList wanted = args.mid(1);
  if (wanted.isEmpty()) {
    for (const Asset& asset : assets) wanted.append(asset.file);
  }
  const QDir out(args.first());
  if (!out.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "pivlo-assets: cannot create %s\n", qPrintable(args.first()));
    return 1;
  }
  for (const QString& file : wanted) {
    const auto asset = std::find_if(assets.begin(), assets.end(), [&](const Asset& a) { return a.file == file; });
    if (asset == assets.end()) {
      std::fprintf(stderr, "pivlo-assets: no picture named %s\n", qPrintable(file));
      return 1;
    }
    QString error;
    if (!Save(asset->draw(), out.filePath(file), error)) {
      std::fprintf(stderr, "pivlo-assets: %s\n", qPrintable(error));
      return 1;
    }
  }
  return 0;
}
