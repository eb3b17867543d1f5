#include "media/AudioFixtures.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace pivlo::test {
namespace {

QByteArray BigEndian(quint32 value, int bytes) {
  QByteArray out;
  for (int i = bytes - 1; i >= 0; --i) out.append(char(value >> (8 * i)));
  return out;
}

QByteArray LittleEndian(quint32 value, int bytes) {
  QByteArray out;
  for (int i = 0; i < bytes; ++i) out.append(char(value >> (8 * i)));
  return out;
}

void PutAt(QByteArray& frame, int offset, const QByteArray& bytes) {
  frame.replace(offset, bytes.size(), bytes);
}

}  // namespace

QByteArray Mp3Header::Bytes() const {
  QByteArray bytes(4, '\0');
  bytes[0] = char(0xFF);
  bytes[1] = char(0xE0 | version_bits << 3 | layer_bits << 1 | (protection_bit ? 1 : 0));
  bytes[2] = char(bit_rate_index << 4 | sample_rate_index << 2 | (padding ? 2 : 0) | (private_bit ? 1 : 0));
  bytes[3] = char(channel_mode << 6 | flag_bits);
  return bytes;
}

QByteArray Mp3Frame(const Mp3Header& header, int length) {
  return header.Bytes() + QByteArray(length - 4, '\0');
}

QByteArray CbrFrames(int count) {
  return Mp3Frame({}, kFrameBytes).repeated(count);
}

QByteArray VbrFrames(int count) {
  static const int kIndex[3] = {5, 9, 11};  // 64, 128, 192 kbit/s
  static const int kLength[3] = {192, 384, 576};
  QByteArray out;
  for (int i = 0; i < count; ++i) {
    Mp3Header header;
    header.bit_rate_index = kIndex[i % 3];
    out += Mp3Frame(header, kLength[i % 3]);
  }
  return out;
}

QByteArray XingFrame(const char* tag, quint32 flags, quint32 frames, quint32 bytes, const Mp3Header& header,
                     int length, int tag_offset) {
  QByteArray fields = QByteArray(tag) + BigEndian(flags, 4);
  if (flags & 1) fields += BigEndian(frames, 4);
  if (flags & 2) fields += BigEndian(bytes, 4);
  if (flags & 4) {
    for (int i = 0; i < 100; ++i) fields.append(char(i));
  }
  if (flags & 8) fields += BigEndian(57, 4);
  QByteArray frame = Mp3Frame(header, length);
  PutAt(frame, tag_offset, fields.left(length - tag_offset));
  return frame;
}

QByteArray VbriFrame(quint32 frames, quint32 bytes, int entries, int entry_size, int scale, int length) {
  QByteArray fields = QByteArray("VBRI") + BigEndian(1, 2) + BigEndian(1105, 2) + BigEndian(75, 2) +
                      BigEndian(bytes, 4) + BigEndian(frames, 4) + BigEndian(entries, 2) + BigEndian(scale, 2) +
                      BigEndian(entry_size, 2) + BigEndian(1, 2);
  for (int i = 0; i < entries && fields.size() < length; ++i) fields += BigEndian(i + 1, qMin(entry_size, 4));
  QByteArray frame = Mp3Frame({}, length);
  PutAt(frame, 36, fields.left(length - 36));
  return frame;
}

QByteArray Id3v2Tag(quint32 size, int major_version, bool sync_safe, bool footer_flag) {
  const QByteArray size_bytes =
      sync_safe ? BigEndian((size >> 21 & 0x7F) << 24 | (size >> 14 & 0x7F) << 16 | (size >> 7 & 0x7F) << 8 | (size & 0x7F), 4)
                : BigEndian(size, 4);
  const QByteArray version = QByteArray(1, char(major_version)) + char(0) + char(footer_flag ? 0x10 : 0);
  QByteArray tag = QByteArray("ID3") + version + size_bytes + QByteArray(size, '\0');
  if (footer_flag && major_version > 3) tag += QByteArray("3DI") + version + size_bytes;
  return tag;
}

QByteArray Id3v1Tag() {
  return QByteArray("TAG") + QByteArray("A title").leftJustified(125, '\0');
}

QByteArray WavFile(int channels, int sample_rate, int bits, qint64 frames, bool list_before_data) {
  const int block_align = channels * bits / 8;
  const QByteArray fmt = QByteArray("fmt ") + LittleEndian(16, 4) + LittleEndian(1, 2) + LittleEndian(channels, 2) +
                         LittleEndian(sample_rate, 4) + LittleEndian(sample_rate * block_align, 4) +
                         LittleEndian(block_align, 2) + LittleEndian(bits, 2);
  const QByteArray list = list_before_data ? QByteArray("LIST") + LittleEndian(12, 4) + QByteArray("INFOISFT") +
                                                 LittleEndian(0, 4)
                                           : QByteArray();
  const qint64 data_size = frames * block_align;
  const QByteArray data = QByteArray("data") + LittleEndian(quint32(data_size), 4) + QByteArray(data_size, '\0');
  const QByteArray body = QByteArray("WAVE") + fmt + list + data;
  return QByteArray("RIFF") + LittleEndian(body.size(), 4) + body;
}

QByteArray VariableLength(quint32 value) {
  QByteArray out(1, char(value & 0x7F));
  while (value >>= 7) out.prepend(char(0x80 | (value & 0x7F)));
  return out;
}

QByteArray MidiTempo(quint32 delta, quint32 microseconds_per_quarter) {
  return VariableLength(delta) + QByteArray("\xFF\x51\x03", 3) + BigEndian(microseconds_per_quarter, 3);
}

QByteArray MidiNoteOn(quint32 delta, int key) {
  return VariableLength(delta) + char(0x90) + char(key) + char(100);
}

QByteArray MidiEndOfTrack(quint32 delta) {
  return VariableLength(delta) + QByteArray("\xFF\x2F\x00", 3);
}

QByteArray MidiTrack(const QByteArray& events) {
  return QByteArray("MTrk") + BigEndian(events.size(), 4) + events;
}

QByteArray MidiFile(int format, quint16 division, const QList<QByteArray>& tracks) {
  QByteArray out = QByteArray("MThd") + BigEndian(6, 4) + BigEndian(format, 2) + BigEndian(tracks.size(), 2) +
                   BigEndian(division, 2);
  for (const QByteArray& track : tracks) out += track;
  return out;
}

double EncodeStereoSong(const QString& path, const char* container, int codec_id, int rate, int bit_rate,
                        double seconds, const std::function<float(qint64 frame)>& sample) {
  const AVCodec* codec = avcodec_find_encoder(AVCodecID(codec_id));
  const QByteArray name = path.toUtf8();
  AVFormatContext* output = nullptr;
  if (codec == nullptr || avformat_alloc_output_context2(&output, nullptr, container, name.constData()) < 0) return 0;
  AVCodecContext* encoder = avcodec_alloc_context3(codec);
  AVFrame* frame = av_frame_alloc();
  AVPacket* packet = av_packet_alloc();
  double written_seconds = 0;
  do {
    AVStream* stream = avformat_new_stream(output, nullptr);
    encoder->sample_rate = rate;
    av_channel_layout_default(&encoder->ch_layout, 2);
    encoder->sample_fmt = AV_SAMPLE_FMT_FLTP;
    encoder->bit_rate = bit_rate;
    encoder->time_base = {1, rate};
    if (output->oformat->flags & AVFMT_GLOBALHEADER) encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (stream == nullptr || avcodec_open2(encoder, codec, nullptr) < 0) break;
    if (avcodec_parameters_from_context(stream->codecpar, encoder) < 0) break;
    stream->time_base = encoder->time_base;
    if (avio_open(&output->pb, name.constData(), AVIO_FLAG_WRITE) < 0) break;
    if (avformat_write_header(output, nullptr) < 0) break;

    frame->nb_samples = encoder->frame_size;
    frame->format = encoder->sample_fmt;
    frame->sample_rate = rate;
    av_channel_layout_copy(&frame->ch_layout, &encoder->ch_layout);
    if (av_frame_get_buffer(frame, 0) < 0) break;
    // An encoder that takes no short last frame gets whole frames only.
    const bool short_last = codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME;
    const qint64 total = short_last ? qint64(std::llround(seconds * rate))
                                    : qint64(std::ceil(seconds * rate / encoder->frame_size)) * encoder->frame_size;
    auto drain = [&] {
      while (avcodec_receive_packet(encoder, packet) == 0) {
        av_packet_rescale_ts(packet, encoder->time_base, stream->time_base);
        packet->stream_index = stream->index;
        if (av_interleaved_write_frame(output, packet) < 0) return false;
      }
      return true;
    };
    bool written = true;
    for (qint64 pts = 0; pts < total && written; pts += frame->nb_samples) {
      if (av_frame_make_writable(frame) < 0) break;
      frame->nb_samples = int(std::min<qint64>(encoder->frame_size, total - pts));
      for (int i = 0; i < frame->nb_samples; ++i) {
        const float value = sample(pts + i);
        for (int c = 0; c < 2; ++c) reinterpret_cast<float*>(frame->data[c])[i] = value;
      }
      frame->pts = pts;
      written = avcodec_send_frame(encoder, frame) == 0 && drain();
    }
    written = written && avcodec_send_frame(encoder, nullptr) == 0 && drain();
    if (written && av_write_trailer(output) == 0) written_seconds = double(total) / rate;
  } while (false);
  av_packet_free(&packet);
  av_frame_free(&frame);
  avcodec_free_context(&encoder);
  if (output->pb != nullptr) avio_closep(&output->pb);
  avformat_free_context(output);
  return written_seconds;
}

double WriteSilentWma(const QString& path, double seconds) {
  return EncodeStereoSong(path, "asf", AV_CODEC_ID_WMAV2, 44100, 64000, seconds, [](qint64) { return 0.0f; });
}

}  // namespace pivlo::test
