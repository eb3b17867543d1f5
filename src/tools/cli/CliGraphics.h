#pragma once

#include "render/CanvasWindow.h"
#include "render/FramePacing.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <utility>

namespace pivlo::cli {

// Effects on the command line: the graphics runtime on a canvas of our own, frames
// written as files, and a clock that need not wait.

// The rainbow texture from gmi.src beside the program (the text fill and the graphics
// probe's test texture); empty when the package or the picture is missing.
QByteArray ShippedRainbowPicture();

// Probes the graphics runtime beside the program on the canvas, the shipped rainbow
// picture as its test texture. On failure says why on stderr and gives false.
bool StartGraphics(CanvasWindow& canvas);

// A canvas that counts the presented frames and, given a folder, writes each one as
// NNNN.png there, numbered from 0001.
class FrameFilesCanvas final : public CanvasWindow {
 public:
  FrameFilesCanvas(QSize size, QString folder) : size_(size), folder_(std::move(folder)) {}
  QSize InnerSize() const override { return size_; }
  void PresentFrame(const QImage& frame) override;

  int Presented() const { return presented_; }
  // A frame could not be written (said on stderr); later frames are not written.
  bool WriteFailed() const { return write_failed_; }

 private:
  QSize size_;
  QString folder_;
  int presented_ = 0;
  bool write_failed_ = false;
};

// Time passes only in the waits, which return at once: an effect runs as fast as it can
// draw, and the clock still shows the time it would have taken paced.
class UnpacedClock final : public EffectClock {
 public:
  qint64 NowMs() override { return now_; }
  void Wait(qint64 milliseconds) override { now_ += qMax<qint64>(0, milliseconds); }

 private:
  qint64 now_ = 0;
};

}  // namespace pivlo::cli
