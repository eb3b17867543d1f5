#include "audio/FfmpegSongDecoder.h"

#include "audio/AudioFormat.h"
#include "audio/AudioLog.h"
#include "audio/FfmpegErrors.h"
#include "core/basByteFiles.h"

#include <QFile>
#include <QFileInfo>

#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libswresample/swresample.h>
}

using namespace Qt::StringLiterals;

namespace pivlo {
namespace {

struct FormatClose {
  void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct CodecFree {
  void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct ResamplerFree {
  void operator()(SwrContext* context) const { swr_free(&context); }
};
struct PacketFree {
  void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FrameFree {
  void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct IoFree {
  void operator()(AVIOContext* io) const {
    av_freep(&io->buffer);
    avio_context_free(&io);
  }
};

constexpr int kHeldReadChunk = 64 * 1024;

// FFmpeg reads a held song through the device that holds it.
int ReadHeld(void* opaque, uint8_t* buffer, int size) {
  const qint64 got = static_cast<QIODevice*>(opaque)->read(reinterpret_cast<char*>(buffer), size);
  if (got < 0) return AVERROR(EIO);
  return got == 0 ? AVERROR_EOF : int(got);
}

int64_t SeekHeld(void* opaque, int64_t offset, int whence) {
  auto* device = static_cast<QIODevice*>(opaque);
  whence &= ~AVSEEK_FORCE;
  if (whence == AVSEEK_SIZE) return device->size();
  const qint64 to = whence == SEEK_SET ? offset : whence == SEEK_CUR ? device->pos() + offset : device->size() + offset;
  return to >= 0 && device->seek(to) ? to : AVERROR(EINVAL);
}

class FfmpegSongDecoder final : public SongDecoder {
 public:
  ~FfmpegSongDecoder() override { av_channel_layout_uninit(&in_layout_); }
  bool Open(const QString& path, QString* error, const MediaFiles* media);
  qsizetype Read(qint16* out, qsizetype frames) override;

 private:
  // Decodes until converted samples are pending; false once the song has ended.
  bool Refill();
  // Converts one decoded frame; nullptr drains the resampler.
  void Convert(const AVFrame* frame);
  // A resampler for the frame's layout, format and rate (the previous one drained first).
  bool Configure(const AVFrame& frame);

  // Declared before the format, which reads through them until it closes.
  std::unique_ptr<QIODevice> held_;
  std::unique_ptr<AVIOContext, IoFree> io_;
  std::unique_ptr<AVFormatContext, FormatClose> format_;
  std::unique_ptr<AVCodecContext, CodecFree> codec_;
  std::unique_ptr<SwrContext, ResamplerFree> resampler_;
  std::unique_ptr<AVPacket, PacketFree> packet_{av_packet_alloc()};
  std::unique_ptr<AVFrame, FrameFree> frame_{av_frame_alloc()};
  int stream_ = -1;
  // What the resampler was made for.
  AVChannelLayout in_layout_{};
  int in_format_ = -1;
  int in_rate_ = 0;
  bool draining_ = false;  // the file is read to its end; the decoder gives what it holds
  bool ended_ = false;
  std::vector<qint16> pending_;  // converted samples not yet read
  size_t taken_ = 0;
};

bool FfmpegSongDecoder::Open(const QString& path, QString* error, const MediaFiles* media) {
  const auto fail = [error](const QString& why) {
    if (error) *error = why;
    return false;
  };
  QuietFfmpegLog();
  if (!packet_ || !frame_) return fail(u"out of memory"_s);
  AVFormatContext* format = nullptr;
  QByteArray url;
  if (media != nullptr && media->Holds(path)) {
    held_ = media->Open(path, error);
    if (!held_) return false;
    auto* buffer = static_cast<unsigned char*>(av_malloc(kHeldReadChunk));
    if (buffer != nullptr) {
      io_.reset(avio_alloc_context(buffer, kHeldReadChunk, 0, held_.get(), ReadHeld, nullptr, SeekHeld));
    }
    if (!io_) {
      av_free(buffer);
      return fail(u"out of memory"_s);
    }
    format = avformat_alloc_context();
    if (format == nullptr) return fail(u"out of memory"_s);
    format->pb = io_.get();
  }
  // Regular files only, opened here: opening a FIFO would wait for a writer. FFmpeg reads
  // the very file that was checked.
  QFile file;
  if (!io_) {
    if (!OpenRegularFile(file, path)) return fail(u"not a regular file"_s);
    // The prefix keeps a colon in the path from being read as a protocol name.
    url = "file:" + QFile::encodeName(OpenFilePath(file.handle(), QFileInfo(path).absoluteFilePath()));
  }
  AVDictionary* options = nullptr;
  // Plain local files only: no network, and no playlist reaching for other protocols; a
  // held song reaches for nothing outside itself.
  av_dict_set(&options, "protocol_whitelist", io_ ? "none" : "file", 0);
  // On failure the format is freed here (and the held device stays ours).
  const int opened = avformat_open_input(&format, io_ ? nullptr : url.constData(), nullptr, &options);
  av_dict_free(&options);
  if (opened < 0) return fail(FfmpegErrorText(opened));
  format_.reset(format);
  if (const int found = avformat_find_stream_info(format, nullptr); found < 0) return fail(FfmpegErrorText(found));

  const AVCodec* codec = nullptr;
  stream_ = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
  if (stream_ < 0 || codec == nullptr) return fail(u"no audio stream that can be decoded"_s);
  for (unsigned i = 0; i < format->nb_streams; ++i) {
    if (int(i) != stream_) format->streams[i]->discard = AVDISCARD_ALL;  // cover art and the like
  }
  codec_.reset(avcodec_alloc_context3(codec));
  if (!codec_) return fail(u"out of memory"_s);
  if (const int copied = avcodec_parameters_to_context(codec_.get(), format->streams[stream_]->codecpar); copied < 0) {
    return fail(FfmpegErrorText(copied));
  }
  if (const int started = avcodec_open2(codec_.get(), codec, nullptr); started < 0) {
    return fail(FfmpegErrorText(started));
  }
  qCDebug(lcAudio) << "decoding" << path << "with" << codec->name << codec_->sample_rate << "Hz";
  return true;
}

qsizetype FfmpegSongDecoder::Read(qint16* out, qsizetype frames) {
  qsizetype written = 0;
  while (written < frames) {
    if (taken_ == pending_.size() && !Refill()) break;
    const size_t samples = std::min(pending_.size() - taken_, size_t(frames - written) * kAudioChannels);
    std::copy_n(pending_.data() + taken_, samples, out + written * kAudioChannels);
    taken_ += samples;
    written += qsizetype(samples / kAudioChannels);
  }
  return written;
}

bool FfmpegSongDecoder::Refill() {
  pending_.clear();
  taken_ = 0;
  while (pending_.empty() && !ended_) {
    const int received = avcodec_receive_frame(codec_.get(), frame_.get());
    if (received == 0) {
      Convert(frame_.get());
      av_frame_unref(frame_.get());
    } else if (received == AVERROR(EAGAIN) && !draining_) {
      const int read = av_read_frame(format_.get(), packet_.get());
      if (read < 0) {
        // The end of the file, or a read error: what was decoded so far is the song.
        avcodec_send_packet(codec_.get(), nullptr);
        draining_ = true;
      } else {
        // A damaged packet is left out; the rest of the song still plays.
        if (packet_->stream_index == stream_) avcodec_send_packet(codec_.get(), packet_.get());
        av_packet_unref(packet_.get());
      }
    } else {
      Convert(nullptr);  // the resampler's last samples
      ended_ = true;
    }
  }
  return !pending_.empty();
}

bool FfmpegSongDecoder::Configure(const AVFrame& frame) {
  AVChannelLayout layout{};
  if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
    av_channel_layout_default(&layout, frame.ch_layout.nb_channels);
  } else if (av_channel_layout_copy(&layout, &frame.ch_layout) < 0) {
    return false;
  }
  if (resampler_ && in_format_ == frame.format && in_rate_ == frame.sample_rate &&
      av_channel_layout_compare(&in_layout_, &layout) == 0) {
    av_channel_layout_uninit(&layout);
    return true;
  }
  if (resampler_) Convert(nullptr);  // the format changed mid-song: the old one's tail first
  av_channel_layout_uninit(&in_layout_);
  in_layout_ = layout;
  in_format_ = frame.format;
  in_rate_ = frame.sample_rate;

  SwrContext* resampler = nullptr;
  AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
  if (swr_alloc_set_opts2(&resampler, &stereo, AV_SAMPLE_FMT_S16, kAudioRate, &in_layout_,
                          AVSampleFormat(in_format_), in_rate_, 0, nullptr) < 0) {
    resampler_.reset();
    return false;
  }
  resampler_.reset(resampler);
  // A mono song sounds at full level on both sides (the default mix lowers it by 3 dB).
  if (in_layout_.nb_channels == 1) {
    const double both[2] = {1.0, 1.0};
    swr_set_matrix(resampler, both, 1);
  }
  if (swr_init(resampler) < 0) {
    resampler_.reset();
    return false;
  }
  return true;
}

void FfmpegSongDecoder::Convert(const AVFrame* frame) {
  if (frame != nullptr && !Configure(*frame)) return;  // a frame in a layout we cannot convert is left out
  if (!resampler_) return;
  const int in_samples = frame != nullptr ? frame->nb_samples : 0;
  const int room = swr_get_out_samples(resampler_.get(), in_samples);
  if (room <= 0) return;
  const size_t start = pending_.size();
  pending_.resize(start + size_t(room) * kAudioChannels);
  auto* out = reinterpret_cast<uint8_t*>(pending_.data() + start);
  const auto** in = frame != nullptr ? const_cast<const uint8_t**>(frame->extended_data) : nullptr;
  const int converted = swr_convert(resampler_.get(), &out, room, in, in_samples);
  pending_.resize(start + size_t(std::max(converted, 0)) * kAudioChannels);
}

}  // namespace

std::unique_ptr<SongDecoder> OpenFfmpegSong(const QString& path, QString* error, const MediaFiles* media) {
  auto decoder = std::make_unique<FfmpegSongDecoder>();
  if (!decoder->Open(path, error, media)) return nullptr;
  return decoder;
}

}  // namespace pivlo
