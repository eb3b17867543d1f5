#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <QStringList>

#include <functional>

namespace pivlo {

// One picture file's thumbnail: a box of the size in the face colour with the picture drawn
// by mode 0 (natural size centred when it fits, else fitted), decoded at reduced scale.
QImage RenderThumbnail(const QString& path, QSize size, const QColor& face);

// Renders the files' thumbnails on worker threads, a few ahead of their use, and hands each
// to `take` on the calling thread in the files' order, so that what the caller does with them
// is the same as with one thread.
void RenderThumbnails(const QStringList& paths, QSize size, const QColor& face,
                      const std::function<void(qsizetype index, const QImage& thumbnail)>& take);

}  // namespace pivlo
