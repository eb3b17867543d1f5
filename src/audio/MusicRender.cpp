#include "audio/MusicRender.h"

#include "audio/AudioFormat.h"

#include <QSaveFile>
#include <QtEndian>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace pivlo {
namespace {

// One second at a time keeps the memory small for long renders.
constexpr qint64 kChunkFrames = kAudioRate;

void PutLittleEndian(QByteArray& out, quint32 value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.append(char(value >> (8 * i)));
}

// The next frames of the stream, appended to `out` as little-endian bytes.
void AppendFrames(MusicStream& stream, qint64 frames, QByteArray& out) {
  const qsizetype start = out.size();
  out.resize(start + qsizetype(frames) * kAudioFrameBytes);
  auto* samples = reinterpret_cast<qint16*>(out.data() + start);
  stream.Fill(samples, qsizetype(frames));
  if constexpr (QSysInfo::ByteOrder == QSysInfo::BigEndian) {
    qToLittleEndian<qint16>(samples, qsizetype(frames) * kAudioChannels, samples);
  }
}

}  // namespace

QByteArray WavHeader(qint64 frames) {
  const quint32 data_bytes = quint32(std::clamp<qint64>(frames, 0, kLongestWavFrames) * kAudioFrameBytes);
  QByteArray header("RIFF");
  PutLittleEndian(header, 36 + data_bytes, 4);
  header += "WAVEfmt ";
  PutLittleEndian(header, 16, 4);  // the fmt chunk's size
  PutLittleEndian(header, 1, 2);   // PCM
  PutLittleEndian(header, kAudioChannels, 2);
  PutLittleEndian(header, kAudioRate, 4);
  PutLittleEndian(header, kAudioRate * kAudioFrameBytes, 4);  // bytes per second
  PutLittleEndian(header, kAudioFrameBytes, 2);
  PutLittleEndian(header, 16, 2);  // bits per sample
  header += "data";
  PutLittleEndian(header, data_bytes, 4);
  return header;
}

QByteArray RenderMusic(MusicStream& stream, qint64 frames) {
  QByteArray out;
  AppendFrames(stream, std::max<qint64>(frames, 0), out);
  return out;
}

bool WriteMusicWav(const QString& path, MusicStream& stream, qint64 frames, QString* error) {
  const auto fail = [error](const QString& why) {
    if (error) *error = why;
    return false;
  };
  if (frames < 0 || frames > kLongestWavFrames) return fail(u"too long for a WAV file"_s);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
  const QByteArray header = WavHeader(frames);
  if (file.write(header) != header.size()) return fail(file.errorString());
  QByteArray chunk;
  for (qint64 done = 0; done < frames; done += kChunkFrames) {
    chunk.clear();
    AppendFrames(stream, std::min(kChunkFrames, frames - done), chunk);
    if (file.write(chunk) != chunk.size()) return fail(file.errorString());
  }
  if (!file.flush() || !file.commit()) return fail(file.errorString());
  return true;
}

}  // namespace pivlo
