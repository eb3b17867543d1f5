#pragma once

// Songs built in memory with a duration known by construction: MPEG audio frames with
// and without Xing, Info and VBRI headers, ID3 tags, WAV files, Standard MIDI Files.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <functional>

namespace pivlo::test {

// The four header bytes of an MPEG audio frame (protection bit set: no CRC).
struct Mp3Header {
  int version_bits = 3;      // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
  int layer_bits = 1;        // 3 Layer I, 2 Layer II, 1 Layer III
  int bit_rate_index = 9;    // 128 kbit/s for MPEG-1 Layer III
  int sample_rate_index = 1; // 48000 Hz for MPEG-1
  bool padding = false;
  int channel_mode = 0;      // 3 is single channel
  int flag_bits = 0;         // copyright 8, original 4, emphasis 0-3 (the last byte's low nibble)
  bool protection_bit = true;
  bool private_bit = false;

  QByteArray Bytes() const;
};

// The default header's frame: MPEG-1 Layer III, 128 kbit/s, 48000 Hz: 384 bytes, 24 ms.
constexpr int kFrameBytes = 384;
constexpr double kFrameSeconds = 1152.0 / 48000.0;

// One frame: the header, then zeros up to `length` bytes (silence to a decoder).
QByteArray Mp3Frame(const Mp3Header& header, int length);
// `count` frames of the default header.
QByteArray CbrFrames(int count);
// Frames of 64, 128 and 192 kbit/s in turn (192, 384 and 576 bytes), as an encoder
// of variable rate writes them.
QByteArray VbrFrames(int count);

// A Xing or Info header frame: `tag` ("Xing" or "Info") at `tag_offset` (36 behind the
// default header's side information), then the flags and the fields they announce
// (the table of contents holds 0, 1, ... 99).
QByteArray XingFrame(const char* tag, quint32 flags, quint32 frames, quint32 bytes, const Mp3Header& header = {},
                     int length = kFrameBytes, int tag_offset = 36);
// A VBRI header frame: the tag at byte 36, version 1, then its fields and `entries` table
// entries of `entry_size` bytes (entry i has the value i + 1).
QByteArray VbriFrame(quint32 frames, quint32 bytes, int entries = 0, int entry_size = 2, int scale = 1,
                     int length = kFrameBytes);

// An ID3v2 tag whose header gives `size` (sync-safe or plain big-endian) with `size` zero
// bytes behind it, and a 10-byte footer when the footer flag is set on a v2.4 tag (earlier
// versions have none, whatever the flag says).
QByteArray Id3v2Tag(quint32 size, int major_version = 3, bool sync_safe = true, bool footer_flag = false);
QByteArray Id3v1Tag();

// A PCM WAV of `frames` sample frames of silence; `list_before_data` puts a LIST chunk
// between the fmt and data chunks.
QByteArray WavFile(int channels, int sample_rate, int bits, qint64 frames, bool list_before_data = false);

// Standard MIDI File pieces.
QByteArray VariableLength(quint32 value);
QByteArray MidiTempo(quint32 delta, quint32 microseconds_per_quarter);
QByteArray MidiNoteOn(quint32 delta, int key);
QByteArray MidiEndOfTrack(quint32 delta);
QByteArray MidiTrack(const QByteArray& events);  // the MTrk chunk
QByteArray MidiFile(int format, quint16 division, const QList<QByteArray>& tracks);

// Encodes `seconds` of stereo sound, `sample(frame)` in both channels at `rate` Hz, with
// the libavcodec encoder `codec_id` into a file of libavformat's `container` (rounded up
// to whole encoder frames for an encoder that takes no short last frame). Returns the
// seconds written, 0 when this FFmpeg cannot.
double EncodeStereoSong(const QString& path, const char* container, int codec_id, int rate, int bit_rate,
                        double seconds, const std::function<float(qint64 frame)>& sample);

// Writes at least `seconds` of silence as WMA (wmav2 in ASF) through libavcodec and
// libavformat, in whole encoder frames; returns the seconds written, 0 when this FFmpeg
// cannot.
double WriteSilentWma(const QString& path, double seconds);

}  // namespace pivlo::test
