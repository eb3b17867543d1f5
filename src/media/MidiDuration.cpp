#include "media/MidiDuration.h"

#include "core/basByteFiles.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <vector>

namespace pivlo {
namespace {

constexpr qint64 kLargestMidiFile = 32 * 1024 * 1024;
constexpr double kDefaultTempo = 500000;  // microseconds per quarter note: 120 beats a minute

struct TempoChange {
  quint64 tick;
  quint32 microseconds_per_quarter;
};

// Big-endian fields and variable-length numbers, never reading past the end.
class Reader {
 public:
  explicit Reader(QByteArrayView data) : data_(data) {}

  bool AtEnd() const { return pos_ >= data_.size(); }
  qsizetype Left() const { return data_.size() - pos_; }
  qsizetype Position() const { return pos_; }

  bool Byte(quint8& value) {
    if (AtEnd()) return false;
    value = quint8(data_[pos_++]);
    return true;
  }
  quint8 Peek() const { return quint8(data_[pos_]); }
  bool BigEndian(int bytes, quint32& value) {
    if (Left() < bytes) return false;
    value = 0;
    for (int i = 0; i < bytes; ++i) value = value << 8 | quint8(data_[pos_++]);
    return true;
  }
  // At most four bytes, as the format allows.
  bool VariableLength(quint32& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
      quint8 byte = 0;
      if (!Byte(byte)) return false;
      value = value << 7 | (byte & 0x7F);
      if (!(byte & 0x80)) return true;
    }
    return false;
  }
  bool Skip(quint64 bytes) {
    if (bytes > quint64(Left())) return false;
    pos_ += qsizetype(bytes);
    return true;
  }
  // The next `length` bytes, or as many as there are.
  QByteArrayView Take(quint64 length) {
    const qsizetype count = qsizetype(std::min<quint64>(length, quint64(Left())));
    const QByteArrayView part = data_.sliced(pos_, count);
    pos_ += count;
    return part;
  }

 private:
  QByteArrayView data_;
  qsizetype pos_ = 0;
};

// Walks one track's events and returns the tick of its end: the end-of-track event, or
// the last complete event when the track is cut short or malformed.
quint64 ReadTrack(QByteArrayView track, std::vector<TempoChange>& tempo_map) {
  Reader in(track);
  quint64 tick = 0;
  quint64 end = 0;
  quint8 running_status = 0;
  while (!in.AtEnd()) {
    quint32 delta = 0;
    if (!in.VariableLength(delta) || in.AtEnd()) break;
    tick += delta;
    quint8 status = in.Peek();
    if (status & 0x80) {
      in.Byte(status);
    } else if (running_status != 0) {
      status = running_status;
    } else {
      break;
    }
    if (status == 0xFF) {
      quint8 type = 0;
      quint32 length = 0;
      if (!in.Byte(type) || !in.VariableLength(length) || quint64(length) > quint64(in.Left())) break;
      const QByteArrayView body = in.Take(length);
      if (type == 0x2F) return tick;
      if (type == 0x51 && body.size() >= 3) {
        tempo_map.push_back({tick, quint32(quint8(body[0])) << 16 | quint32(quint8(body[1])) << 8 | quint8(body[2])});
      }
    } else if (status == 0xF0 || status == 0xF7) {
      quint32 length = 0;
      if (!in.VariableLength(length) || !in.Skip(length)) break;
    } else if (status > 0xF0) {
      // System common and real-time messages do not belong in files; skip their data.
      if (!in.Skip(status == 0xF2 ? 2 : (status == 0xF1 || status == 0xF3) ? 1 : 0)) break;
    } else {
      running_status = status;
      const quint8 kind = status & 0xF0;
      if (!in.Skip(kind == 0xC0 || kind == 0xD0 ? 1 : 2)) break;
    }
    end = tick;
  }
  return end;
}

std::optional<double> SecondsPerTick(quint16 division) {
  if (division & 0x8000) {
    const int frames_per_second = -qint8(division >> 8);
    const int ticks_per_frame = division & 0xFF;
    if (frames_per_second <= 0 || ticks_per_frame == 0) return {};
    const double rate = frames_per_second == 29 ? 29.97 : frames_per_second;
    return 1.0 / (rate * ticks_per_frame);
  }
  if (division == 0) return {};
  return 1.0 / division;  // of a quarter note; the tempo gives its length
}

std::optional<double> StandardMidiDuration(QByteArrayView data) {
  Reader in(data);
  quint32 id = 0, length = 0, format = 0, tracks = 0, division = 0;
  if (!in.BigEndian(4, id) || id != 0x4D546864 /* MThd */ || !in.BigEndian(4, length) || length < 6) return {};
  if (!in.BigEndian(2, format) || !in.BigEndian(2, tracks) || !in.BigEndian(2, division)) return {};
  if (format > 1 || !in.Skip(length - 6)) return {};
  const std::optional<double> tick_seconds = SecondsPerTick(quint16(division));
  if (!tick_seconds) return {};

  std::vector<TempoChange> tempo_map;
  quint64 end = 0;
  bool any_track = false;
  // Chunks other than tracks are skipped; a length running past the end is cut to the end.
  while (in.Left() >= 8) {
    in.BigEndian(4, id);
    in.BigEndian(4, length);
    const QByteArrayView chunk = in.Take(length);
    if (id != 0x4D54726B /* MTrk */) continue;
    any_track = true;
    end = std::max(end, ReadTrack(chunk, tempo_map));
  }
  if (!any_track) return {};

  if (division & 0x8000) return double(end) * *tick_seconds;  // time code: the tempo does not apply
  std::stable_sort(tempo_map.begin(), tempo_map.end(),
                   [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
  double microseconds = 0;
  double tempo = kDefaultTempo;
  quint64 tick = 0;
  for (const TempoChange& change : tempo_map) {
    if (change.tick >= end) break;
    microseconds += double(change.tick - tick) * tempo;
    tick = change.tick;
    tempo = change.microseconds_per_quarter;
  }
  microseconds += double(end - tick) * tempo;
  return microseconds * *tick_seconds / 1e6;
}

// A RIFF RMID file holds a Standard MIDI File in its "data" chunk.
QByteArrayView UnwrapRmid(QByteArrayView data) {
  if (data.size() < 12 || !data.startsWith("RIFF") || data.sliced(8, 4) != QByteArrayView("RMID")) return data;
  Reader in(data.sliced(12));
  while (in.Left() >= 8) {
    const QByteArrayView header = in.Take(8);
    const quint32 length = qFromLittleEndian<quint32>(header.data() + 4);
    const QByteArrayView chunk = in.Take(length);
    if (header.first(4) == QByteArrayView("data")) return chunk;
    in.Skip(length & 1);
  }
  return {};
}

}  // namespace

std::optional<double> MidiDuration(QByteArrayView data) {
  return StandardMidiDuration(UnwrapRmid(data));
}

std::optional<double> MidiFileDuration(const QString& path) {
  QFile file;
  if (!OpenRegularFile(file, path) || file.size() > kLargestMidiFile) return {};
  return MidiDuration(file.readAll());
}

}  // namespace pivlo
