#include "cli/CliGraphics.h"
#include "cli/CliOutput.h"

#include "builder/ResourcePackage.h"
#include "builder/RuntimeLibrary.h"
#include "core/AppFolders.h"
#include "media/basGdiPlus.h"
#include "render/basDirect3D.h"
#include "render/basTextStyles.h"

#include <QDir>

#include <optional>

namespace pivlo::cli {

QByteArray ShippedRainbowPicture() {
  const std::optional<ResourcePackage> package =
      ResourcePackage::Open(ApplicationFolder() + QStringLiteral("gmi.src"), ResourceKind::Images);
  if (!package) return QByteArray();
  const std::optional<qint32> number = package->Find(QStringLiteral("rainbow.jpg"));
  return number ? package->Read(*number).value_or(QByteArray()) : QByteArray();
}

bool StartGraphics(CanvasWindow& canvas) {
  SetRainbowPicture(ShippedRainbowPicture());
  InitDirect3D(canvas, RuntimeLibraryPath());
  if (Direct3DReady()) return true;
  PrintError(QStringLiteral("graphics runtime: ") + Direct3DStatusText(Direct3DStatus(), RuntimeLibraryFileName()));
  return false;
}

void FrameFilesCanvas::PresentFrame(const QImage& frame) {
  ++presented_;
  if (folder_.isEmpty() || write_failed_) return;
  const QString path = QDir(folder_).filePath(QStringLiteral("%1.png").arg(presented_, 4, 10, QLatin1Char('0')));
  const QByteArray png = EncodePicture(frame.convertToFormat(QImage::Format_RGB32), QStringLiteral("PNG"), -1);
  write_failed_ = png.isEmpty() || !WriteOutputFile(path, png);
}

}  // namespace pivlo::cli
