#include "media/ThumbnailRenderer.h"

#include "media/basGdiPlus.h"

#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <future>
#include <memory>
#include <vector>

namespace pivlo {

QImage RenderThumbnail(const QString& path, QSize size, const QColor& face) {
  QImage box(size, QImage::Format_RGB32);
  ShowPictureFile(path, box, face);
  return box;
}

void RenderThumbnails(const QStringList& paths, QSize size, const QColor& face,
                      const std::function<void(qsizetype index, const QImage& thumbnail)>& take) {
  QThreadPool workers;
  workers.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
  // Work queued ahead is bounded, so a long list never holds many decoded pictures at once.
  const qsizetype ahead = 2 * qsizetype(workers.maxThreadCount());
  std::vector<std::future<QImage>> thumbnails(size_t(paths.size()));
  const auto queue = [&](qsizetype index) {
    auto render = std::make_shared<std::packaged_task<QImage()>>(
        [path = paths[index], size, face] { return RenderThumbnail(path, size, face); });
    thumbnails[size_t(index)] = render->get_future();
    workers.start([render] { (*render)(); });
  };
  for (qsizetype index = 0; index < std::min(ahead, paths.size()); ++index) queue(index);
  for (qsizetype index = 0; index < paths.size(); ++index) {
    const QImage thumbnail = thumbnails[size_t(index)].get();
    if (index + ahead < paths.size()) queue(index + ahead);
    take(index, thumbnail);
  }
}

}  // namespace pivlo
