#pragma once

#include "render/CanvasWindow.h"
#include "render/FramePacing.h"

#include <QElapsedTimer>
#include <QImage>
#include <QString>

#include <utility>

namespace pivlo::cli {

// Effects on the command line: the graphics runtime on a window of our own whose frames
// can be written as files, paced or on a clock that need not wait.

// The software device's window: counts the presented frames and, when asked, writes each
// to the output folder as NNNN.png, numbered from 0001.
class FrameWriter final : public CanvasWindow {
 public:
  FrameWriter(QSize size, QString folder) : size_(size), folder_(std::move(folder)) {}
  QSize InnerSize() const override { return size_; }
  void PresentFrame(const QImage& frame) override;
  QImage ShownImage() const override { return shown_; }
  void Show(const QImage& image) { shown_ = image; }
  int Presents() const { return presents_; }
  // A frame could not be written (said on stderr); later frames are not written.
  bool Failed() const { return failed_; }

 private:
  QSize size_;
  QString folder_;
  QImage shown_;
  int presents_ = 0;
  bool failed_ = false;
};

// True when the file is a picture the program reads; otherwise says so on stderr.
bool IsPicture(const QString& path);
// Makes the output folder when one is named; false, said on stderr, when it cannot.
bool MakeOutputFolder(const QString& folder);

// One effect run: the graphics runtime probed on the window (the shipped rainbow picture
// as its test texture) and, unpaced, a clock that steps only while the effect waits.
// Both are given back when the run ends.
class EffectRun {
 public:
  EffectRun(CanvasWindow& window, bool unpaced);
  ~EffectRun();
  EffectRun(const EffectRun&) = delete;
  EffectRun& operator=(const EffectRun&) = delete;

  // The graphics are ready; otherwise the probe's message was said on stderr.
  bool Ready() const { return ready_; }
  // The effect starts now.
  void Start();
  // frames=N, elapsed_ms= (the time it took) and effect_ms= (the time on the effect's
  // clock) since Start, one a line.
  QString Report(int frames);

 private:
  StepEffectClock step_clock_;
  bool ready_ = false;
  QElapsedTimer timer_;
  qint64 effect_start_ = 0;
};

}  // namespace pivlo::cli
