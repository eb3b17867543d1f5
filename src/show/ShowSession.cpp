#include "show/ShowSession.h"

#include "builder/RuntimeLibrary.h"
#include "core/basByteFiles.h"
#include "render/basDirect3D.h"
#include "render/basTextStyles.h"

#include <QBuffer>
#include <QImage>

#include <sys/mman.h>
#include <unistd.h>

namespace pivlo {
namespace {

using namespace Qt::StringLiterals;

// The runtime is a small library; anything much larger is not one.
constexpr qint32 kLargestRuntime = 64 * 1024 * 1024;

// The probe's test texture when a package carries no texture picture.
QByteArray PlainTexture() {
  QImage image(8, 8, QImage::Format_RGB32);
  image.fill(Qt::white);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

// The bytes as an anonymous in-memory file; -1 when that cannot be made.
int MemoryFile(const QByteArray& bytes) {
  const int fd = memfd_create("pivlofx", MFD_CLOEXEC);
  if (fd < 0) return -1;
  qsizetype written = 0;
  while (written < bytes.size()) {
    const ssize_t n = write(fd, bytes.constData() + written, size_t(bytes.size() - written));
    if (n <= 0) {
      close(fd);
      return -1;
    }
    written += n;
  }
  return fd;
}

}  // namespace

ShowSession::ShowSession(ScreensaverPackage package, ShowSettings settings)
    : package_(std::move(package)), settings_(std::move(settings)) {}

ShowSession::~ShowSession() {
  if (graphics_) ReleaseDirect3D();
  if (runtime_fd_ >= 0) close(runtime_fd_);
}

std::unique_ptr<ShowSession> ShowSession::Open(const QString& path, QSize fallback_screen, QString* error) {
  std::optional<ScreensaverPackage> package = ScreensaverPackage::Open(path, error);
  if (!package) return nullptr;
  std::optional<ShowSettings> settings = ReadShowPackage(*package, fallback_screen, error);
  if (!settings) return nullptr;
  return std::unique_ptr<ShowSession>(new ShowSession(std::move(*package), std::move(*settings)));
}

bool ShowSession::StartGraphics(CanvasWindow& canvas, QString* error) {
  const auto fail = [&](const QString& why) {
    if (error != nullptr) *error = why;
    return false;
  };
  const PackageItem* item = package_.FindItem(RuntimeItemName());
  if (item == nullptr) return fail(u"the package carries no graphics runtime"_s);
  if (item->size > kLargestRuntime) return fail(u"the package's graphics runtime is too large"_s);
  const std::optional<QByteArray> runtime = package_.ReadItem(*item);
  if (!runtime) return fail(u"the package's graphics runtime cannot be read"_s);
  if (runtime_fd_ < 0) runtime_fd_ = MemoryFile(*runtime);
  if (runtime_fd_ < 0) return fail(u"the graphics runtime cannot be put in memory"_s);

  SetRainbowPicture(settings_.texture_picture.isEmpty() ? PlainTexture() : settings_.texture_picture);
  InitDirect3D(canvas, OpenFilePath(runtime_fd_, QString()));
  graphics_ = true;
  if (!Direct3DReady()) return fail(Direct3DStatusText(Direct3DStatus(), RuntimeLibraryFileName()));
  return true;
}

ShowMaterial ShowSession::FindMaterial(const std::function<void(const QString&)>& say) const {
  return FindShowMaterial(settings_,
                          [&](const QString& path) { say(path + u": not a picture the show can show, left out"_s); });
}

}  // namespace pivlo
