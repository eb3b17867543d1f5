#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace pivlo {

// Reads the properties of an MPEG audio file (MPEG-1, 2 and 2.5, Layers I to III) from
// its first frame and any Xing, Info or VBRI header in it, without decoding audio.
// Every property is zero until a call succeeds and keeps the last result until the next.
class MP3Info {
 public:
  // Xing and Info headers share one layout; only the fields their flags announce are set.
  struct XingHeader {
    quint32 flags = 0;
    quint32 frames = 0;
    quint32 bytes = 0;
    QByteArray toc;  // 100 bytes when present
    quint32 quality = 0;
  };
  struct VbriHeader {
    quint16 version = 0;
    float delay = 0;
    quint16 quality = 0;
    quint32 bytes = 0;
    quint32 frames = 0;
    quint16 entries = 0;
    quint16 scale = 0;
    quint16 entry_size = 0;
    quint16 frames_per_entry = 0;
    QList<qint64> table;  // each entry already multiplied by the scale
  };

  // True when a first frame was found and analysed. A fault in the analysis after that
  // leaves Duration() 0 (unknown) and still gives true.
  bool ReadMP3Info(const QString& strPath);
  // The same from an open, seekable device.
  bool ReadMP3Info(QIODevice& file);

  qint64 FirstFrame() const { return first_frame_; }
  double Duration() const { return duration_; }  // milliseconds
  qint32 Channels() const { return channels_; }
  qint32 SampleRate() const { return sample_rate_; }
  qint32 BitRate() const { return bit_rate_; }  // bit/s; the average for VBR files
  qint64 FileSize() const { return file_size_; }
  qint64 MpegBytes() const { return mpeg_bytes_; }
  qint64 Frames() const { return frames_; }
  qint32 Layer() const { return layer_; }
  float MpegVersion() const { return mpeg_version_; }
  bool CopyrightBit() const { return copyright_bit_; }
  bool OriginalBit() const { return original_bit_; }
  bool PrivateBit() const { return private_bit_; }
  bool Protected() const { return protected_; }
  qint16 Emphasis() const { return emphasis_; }
  bool IsVBR() const { return is_vbr_; }

  const XingHeader& Xing() const { return xing_; }  // the Xing or Info header
  const VbriHeader& Vbri() const { return vbri_; }

 private:
  enum class Tag { None, Xing, Info, Vbri };

  void Clear();
  bool AnalyseFirstFrame(const QByteArray& frame, qsizetype side_info_size, qint32 samples_per_frame);
  bool ParseXing(const QByteArray& frame, qsizetype offset);
  bool ParseVbri(const QByteArray& frame, qsizetype offset);

  qint64 first_frame_ = 0;
  double duration_ = 0;
  qint32 channels_ = 0;
  qint32 sample_rate_ = 0;
  qint32 bit_rate_ = 0;
  qint64 file_size_ = 0;
  qint64 mpeg_bytes_ = 0;
  qint64 frames_ = 0;
  qint32 layer_ = 0;
  float mpeg_version_ = 0;
  bool copyright_bit_ = false;
  bool original_bit_ = false;
  bool private_bit_ = false;
  bool protected_ = false;
  qint16 emphasis_ = 0;
  bool is_vbr_ = false;
  XingHeader xing_;
  VbriHeader vbri_;
};

}  // namespace pivlo
