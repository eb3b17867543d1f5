#include "media/SongDuration.h"

#include "core/PathRules.h"
#include "core/Rounding.h"
#include "core/basByteFiles.h"
#include "media/MP3Info.h"
#include "media/MediaDuration.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>

namespace pivlo {
namespace {

constexpr double kShortestSong = 0.3;       // seconds
constexpr double kMp3Tolerance = 5.0;       // seconds the frame analysis may run over

float WholeMilliseconds(double seconds) {
  return float(RoundHalfEven(seconds * 1000.0) / 1000.0);
}

bool ReadAt(QIODevice& file, qint64 offset, char* out, qint64 count) {
  return count <= file.size() - offset && file.seek(offset) && file.read(out, count) == count;
}

quint32 Le32(const char* bytes) { return qFromLittleEndian<quint32>(bytes); }
quint16 Le16(const char* bytes) { return qFromLittleEndian<quint16>(bytes); }

}  // namespace

float MeasureSongQuick(const QString& path) {
  const std::optional<double> seconds = MediaDuration(path);
  return seconds && *seconds > kShortestSong ? WholeMilliseconds(*seconds) : -1.0f;
}

float MeasureSong(const QString& path, float knownDuration) {
  if (!QFileInfo(path).isFile()) return 0;
  const QString type = FileTypeOfPath(path);
  if (type == u"WAV" || type == u"TMP") {
    const double seconds = knownDuration != 0 ? knownDuration : WavDuration(path);
    return seconds > 0 ? WholeMilliseconds(seconds) : float(seconds);
  }
  const double reported = knownDuration != 0 ? knownDuration : MediaDuration(path).value_or(0);
  double seconds = reported;
  if (type == u"MP3") {
    MP3Info info;
    const double analysed = info.ReadMP3Info(path) ? info.Duration() / 1000.0 : 0;
    // The analysis may count a little more than the framework; within the tolerance the
    // framework's figure stands. With no figure from the framework the analysis is all
    // there is.
    if (analysed > 0) {
      const bool close_above = analysed >= reported && analysed - reported <= kMp3Tolerance;
      seconds = reported > 0 && close_above ? reported : analysed;
    }
  }
  return WholeMilliseconds(seconds);
}

float MeasureNewSong(const QString& path) {
  const float quick = MeasureSongQuick(path);
  return quick > 0 ? MeasureSong(path, quick) : -1.0f;
}

double WavDuration(const QString& path) {
  QFile file;
  return OpenRegularFile(file, path) ? WavDuration(file) : 0;
}

double WavDuration(QIODevice& file) {
  char riff[12], fmt[24], data[8];
  if (!ReadAt(file, 0, riff, 12) || QByteArray(riff, 4).toUpper() != "RIFF" || QByteArrayView(riff + 8, 4) != "WAVE") {
    return 0;
  }
  if (!ReadAt(file, 12, fmt, 24) || QByteArray(fmt, 4).toUpper() != "FMT ") return 0;
  const qint64 fmt_size = Le32(fmt + 4);
  const quint16 channels = Le16(fmt + 10);
  const quint32 sample_rate = Le32(fmt + 12);
  const quint16 bits_per_sample = Le16(fmt + 22);
  const qint64 data_header = 20 + fmt_size;
  if (!ReadAt(file, data_header, data, 8) || QByteArray(data, 4).toUpper() != "DATA") return 0;
  if (channels == 0 || sample_rate == 0 || bits_per_sample == 0) return 0;
  // A header written before the recording ended may claim more than the file holds.
  const qint64 data_size = std::min<qint64>(Le32(data + 4), file.size() - data_header - 8);
  return double(data_size) / channels / (bits_per_sample / 8.0) / sample_rate;
}

}  // namespace pivlo
