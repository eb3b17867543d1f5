#include "show/RecordingScreen.h"

namespace pivlo {

RecordingScreen::RecordingScreen(QSize size) : size_(size), shown_(size, QImage::Format_RGB32) {
  shown_.fill(Qt::black);
}

// A new image each time: a frame handed out before stays as it was.
void RecordingScreen::PresentFrame(const QImage& frame) { shown_ = frame.convertToFormat(QImage::Format_RGB32); }

}  // namespace pivlo
