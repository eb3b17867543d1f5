#pragma once

// An MP4 file made of the show's frames and sound: H.264 through libx264 where FFmpeg has
// it, else MPEG-4 Part 2, with AAC sound; the frames converted to the encoder's pixel
// format, the samples from the show's format (AudioFormat.h) to the encoder's.

#include <QImage>
#include <QSize>
#include <QString>

#include <memory>

namespace pivlo {

struct VideoStreams;  // FFmpeg's side, kept out of this header

class VideoEncoder {
 public:
  // Starts the file at `path` (written as MP4 whatever its name), `fps` frames a second
  // of `size`. Nothing, with the reason, when no encoder or the file cannot be made.
  static std::unique_ptr<VideoEncoder> Open(const QString& path, QSize size, int fps, QString* error);
  ~VideoEncoder();
  VideoEncoder(const VideoEncoder&) = delete;
  VideoEncoder& operator=(const VideoEncoder&) = delete;

  // "h264" or "mpeg4".
  QString VideoCodecName() const;
  // The next frame: an opaque image of the size opened, in Format_RGB32 or an ARGB32 form.
  bool AddFrame(const QImage& frame);
  // The next `frames` frames of sound, interleaved in the show's format.
  bool AddSound(const qint16* samples, qsizetype frames);
  // Drains the encoders and writes the file's index; the file is complete only then.
  bool Finish();
  // Why the last call failed.
  const QString& Error() const { return error_; }

 private:
  explicit VideoEncoder(std::unique_ptr<VideoStreams> streams);
  bool Fail(const QString& step, int code);
  // Encodes `frames` converted samples waiting in the queue.
  bool EncodeSound(int frames);

  std::unique_ptr<VideoStreams> streams_;
  QString error_;
};

}  // namespace pivlo
