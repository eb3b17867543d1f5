#include "cli/CliGraphics.h"
#include "cli/CliOutput.h"

#include "builder/RuntimeLibrary.h"
#include "media/basGdiPlus.h"
#include "render/basDirect3D.h"
#include "render/basTextStyles.h"

#include <QDir>

namespace pivlo::cli {

void FrameWriter::PresentFrame(const QImage& frame) {
  shown_ = frame.copy();
  ++presents_;
  if (folder_.isEmpty() || failed_) return;
  const QString path = QDir(folder_).filePath(QStringLiteral("%1.png").arg(presents_, 4, 10, QLatin1Char('0')));
  failed_ = !WriteOutputFile(path, EncodePicture(shown_, QStringLiteral("PNG"), -1));
}

bool IsPicture(const QString& path) {
  if (ProbeImageFile(path, false).IsKnown()) return true;
  PrintError(path + QStringLiteral(": not a picture"));
  return false;
}

bool MakeOutputFolder(const QString& folder) {
  if (folder.isEmpty() || QDir().mkpath(folder)) return true;
  PrintError(folder + QStringLiteral(": cannot make the folder"));
  return false;
}

EffectRun::EffectRun(CanvasWindow& window, bool unpaced) {
  if (unpaced) SetEffectClock(&step_clock_);
  SetRainbowPicture(ShippedRainbowPicture());
  InitDirect3D(window, RuntimeLibraryPath());
  ready_ = Direct3DReady();
  if (!ready_) PrintError(Direct3DStatusText(Direct3DStatus(), RuntimeLibraryFileName()));
}

EffectRun::~EffectRun() {
  ReleaseDirect3D();
  SetEffectClock(nullptr);
}

void EffectRun::Start() {
  timer_.start();
  effect_start_ = CurrentEffectClock().NowMs();
}

QString EffectRun::Report(int frames) {
  return QStringLiteral("frames=%1\nelapsed_ms=%2\neffect_ms=%3\n")
      .arg(frames)
      .arg(timer_.elapsed())
      .arg(CurrentEffectClock().NowMs() - effect_start_);
}

}  // namespace pivlo::cli
