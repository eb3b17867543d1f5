#include "ToneFixtures.h"

#include "media/AudioFixtures.h"

#include <cmath>
#include <numbers>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace pivlo::test {
namespace {

void PutLittleEndian(QByteArray& out, quint32 value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.append(char(value >> (8 * i)));
}

}  // namespace

QByteArray PcmWav(int rate, int channels, qint64 frames, const std::function<qint16(qint64, int)>& sample) {
  QByteArray data;
  data.reserve(qsizetype(frames * channels * 2));
  for (qint64 i = 0; i < frames; ++i) {
    for (int c = 0; c < channels; ++c) PutLittleEndian(data, quint16(sample(i, c)), 2);
  }
  QByteArray wav("RIFF");
  PutLittleEndian(wav, quint32(36 + data.size()), 4);
  wav += "WAVEfmt ";
  PutLittleEndian(wav, 16, 4);
  PutLittleEndian(wav, 1, 2);
  PutLittleEndian(wav, channels, 2);
  PutLittleEndian(wav, rate, 4);
  PutLittleEndian(wav, rate * channels * 2, 4);
  PutLittleEndian(wav, channels * 2, 2);
  PutLittleEndian(wav, 16, 2);
  wav += "data";
  PutLittleEndian(wav, quint32(data.size()), 4);
  return wav + data;
}

qint16 ToneSample(int song, qint64 frame, int channel) {
  const int value = song * 1000 + int(frame % 701);
  return qint16(channel == 0 ? value : -value);
}

QByteArray ToneFrames(int song, qint64 frames) {
  // The WAV's data chunk is exactly the stream's bytes.
  return ToneWav(song, frames).sliced(44);
}

QByteArray ToneWav(int song, qint64 frames) {
  return PcmWav(48000, 2, frames, [song](qint64 frame, int channel) { return ToneSample(song, frame, channel); });
}

bool WriteSineMp3(const QString& path, double seconds, int rate) {
  const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MP3);
  const QByteArray name = path.toUtf8();
  AVFormatContext* output = nullptr;
  if (codec == nullptr || avformat_alloc_output_context2(&output, nullptr, "mp3", name.constData()) < 0) return false;
  AVCodecContext* encoder = avcodec_alloc_context3(codec);
  AVFrame* frame = av_frame_alloc();
  AVPacket* packet = av_packet_alloc();
  bool written = false;
  do {
    AVStream* stream = avformat_new_stream(output, nullptr);
    encoder->sample_rate = rate;
    av_channel_layout_default(&encoder->ch_layout, 2);
    encoder->sample_fmt = AV_SAMPLE_FMT_FLTP;
    encoder->bit_rate = 128000;
    encoder->time_base = {1, rate};
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
    auto drain = [&] {
      while (avcodec_receive_packet(encoder, packet) == 0) {
        av_packet_rescale_ts(packet, encoder->time_base, stream->time_base);
        packet->stream_index = stream->index;
        if (av_interleaved_write_frame(output, packet) < 0) return false;
      }
      return true;
    };
    const qint64 total = qint64(std::llround(seconds * rate));
    bool ok = true;
    for (qint64 pts = 0; pts < total && ok; pts += frame->nb_samples) {
      if (av_frame_make_writable(frame) < 0) break;
      frame->nb_samples = int(std::min<qint64>(encoder->frame_size, total - pts));
      for (int i = 0; i < frame->nb_samples; ++i) {
        const float value = float(0.5 * std::sin(2 * std::numbers::pi * 440.0 * double(pts + i) / rate));
        for (int c = 0; c < 2; ++c) reinterpret_cast<float*>(frame->data[c])[i] = value;
      }
      frame->pts = pts;
      ok = avcodec_send_frame(encoder, frame) == 0 && drain();
    }
    ok = ok && avcodec_send_frame(encoder, nullptr) == 0 && drain();
    written = ok && av_write_trailer(output) == 0;
  } while (false);
  av_packet_free(&packet);
  av_frame_free(&frame);
  avcodec_free_context(&encoder);
  if (output->pb != nullptr) avio_closep(&output->pb);
  avformat_free_context(output);
  return written;
}

QByteArray HeldNoteMidi(double seconds) {
  // 480 ticks a quarter note at 120 beats a minute: 960 ticks a second.
  const auto ticks = quint32(std::lround(seconds * 960));
  return MidiFile(0, 480, {MidiTrack(MidiTempo(0, 500000) + MidiNoteOn(0, 60) + MidiEndOfTrack(ticks))});
}

QByteArray ChordsMidi(double seconds) {
  QByteArray events = MidiTempo(0, 500000);
  const int chords = int(std::lround(seconds * 4));  // 240 ticks, an eighth note, each
  for (int i = 0; i < chords; ++i) {
    const int root = 48 + (i * 5) % 24;
    const int keys[3] = {root, root + 4, root + 7};
    for (const int key : keys) events += MidiNoteOn(0, key);
    // Note off: the same keys with velocity 0, the first one after the chord's time.
    for (int k = 0; k < 3; ++k) events += VariableLength(k == 0 ? 240 : 0) + char(0x90) + char(keys[k]) + char(0);
  }
  return MidiFile(0, 480, {MidiTrack(events + MidiEndOfTrack(0))});
}

}  // namespace pivlo::test
