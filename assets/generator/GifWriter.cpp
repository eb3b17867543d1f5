#include "GifWriter.h"

#include <QSaveFile>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
#include <libavutil/log.h>
}

namespace pivlo::assets {
namespace {

constexpr int kColours = 256;
constexpr int kBins = 1 << 15;  // 5 bits per channel

int BinOf(QRgb rgb) { return (qRed(rgb) >> 3) << 10 | (qGreen(rgb) >> 3) << 5 | (qBlue(rgb) >> 3); }

struct Bin {
  quint64 count = 0;
  std::array<quint64, 3> sum{};
  int Mean(int channel) const { return int(sum[channel] / count); }
};

// Median cut: the box of bins with the widest spread of any channel is split at the
// pixel-weighted median of that channel, until there are 256 boxes.
class Quantizer {
 public:
  explicit Quantizer(const QImage& image) : bins_(kBins) {
    for (int y = 0; y < image.height(); ++y) {
      const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int x = 0; x < image.width(); ++x) {
        Bin& bin = bins_[BinOf(line[x])];
        ++bin.count;
        bin.sum[0] += qRed(line[x]);
        bin.sum[1] += qGreen(line[x]);
        bin.sum[2] += qBlue(line[x]);
      }
    }
    std::vector<int> all;
    for (int key = 0; key < kBins; ++key) {
      if (bins_[key].count > 0) all.push_back(key);
    }
    boxes_.push_back(std::move(all));
    while (int(boxes_.size()) < kColours && SplitWidest()) {
    }
    MapBins();
  }

  const std::vector<QRgb>& Palette() const { return palette_; }
  quint8 IndexOf(QRgb rgb) const { return map_[BinOf(rgb)]; }

 private:
  int Spread(const std::vector<int>& box, int& channel) const {
    int widest = -1;
    for (int c = 0; c < 3; ++c) {
      const auto [low, high] = std::minmax_element(box.begin(), box.end(), [&](int a, int b) {
        return bins_[a].Mean(c) < bins_[b].Mean(c);
      });
      const int spread = bins_[*high].Mean(c) - bins_[*low].Mean(c);
      if (spread > widest) {
        widest = spread;
        channel = c;
      }
    }
    return widest;
  }

  bool SplitWidest() {
    int best = -1;
    int best_spread = 0;
    int channel = 0;
    for (int i = 0; i < int(boxes_.size()); ++i) {
      int c = 0;
      const int spread = boxes_[i].size() > 1 ? Spread(boxes_[i], c) : 0;
      if (spread > best_spread) {
        best = i;
        best_spread = spread;
        channel = c;
      }
    }
    if (best < 0) return false;
    std::vector<int>& box = boxes_[best];
    std::sort(box.begin(), box.end(), [&](int a, int b) { return bins_[a].Mean(channel) < bins_[b].Mean(channel); });
    quint64 total = 0;
    for (const int key : box) total += bins_[key].count;
    quint64 running = 0;
    size_t cut = 1;
    for (; cut < box.size() - 1; ++cut) {
      running += bins_[box[cut - 1]].count;
      if (running * 2 >= total) break;
    }
    boxes_.emplace_back(box.begin() + cut, box.end());
    boxes_[best].resize(cut);
    return true;
  }

  void MapBins() {
    for (const std::vector<int>& box : boxes_) {
      std::array<quint64, 3> sum{};
      quint64 count = 0;
      for (const int key : box) {
        count += bins_[key].count;
        for (int c = 0; c < 3; ++c) sum[c] += bins_[key].sum[c];
      }
      palette_.push_back(qRgb(int(sum[0] / count), int(sum[1] / count), int(sum[2] / count)));
    }
    // Each used bin takes the nearest palette colour.
    map_.assign(kBins, 0);
    for (int key = 0; key < kBins; ++key) {
      if (bins_[key].count == 0) continue;
      int best = 0;
      int best_distance = INT_MAX;
      for (int i = 0; i < int(palette_.size()); ++i) {
        const int dr = qRed(palette_[i]) - bins_[key].Mean(0);
        const int dg = qGreen(palette_[i]) - bins_[key].Mean(1);
        const int db = qBlue(palette_[i]) - bins_[key].Mean(2);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < best_distance) {
          best = i;
          best_distance = distance;
        }
      }
      map_[key] = quint8(best);
    }
  }

  std::vector<Bin> bins_;
  std::vector<std::vector<int>> boxes_;
  std::vector<QRgb> palette_;
  std::vector<quint8> map_;
};

struct CodecContextFree {
  void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFree {
  void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFree {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};

QByteArray EncodeGif(const QImage& rgb, const Quantizer& colours, QString& error) {
  const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_GIF);
  std::unique_ptr<AVCodecContext, CodecContextFree> context(codec ? avcodec_alloc_context3(codec) : nullptr);
  std::unique_ptr<AVFrame, FrameFree> frame(av_frame_alloc());
  std::unique_ptr<AVPacket, PacketFree> packet(av_packet_alloc());
  if (!context || !frame || !packet) {
    error = QStringLiteral("FFmpeg has no GIF encoder");
    return {};
  }
  context->width = rgb.width();
  context->height = rgb.height();
  context->pix_fmt = AV_PIX_FMT_PAL8;
  context->time_base = AVRational{1, 25};
  frame->width = rgb.width();
  frame->height = rgb.height();
  frame->format = AV_PIX_FMT_PAL8;
  if (avcodec_open2(context.get(), codec, nullptr) < 0 || av_frame_get_buffer(frame.get(), 0) < 0) {
    error = QStringLiteral("cannot start the GIF encoder");
    return {};
  }
  for (int y = 0; y < rgb.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    uint8_t* out = frame->data[0] + y * frame->linesize[0];
    for (int x = 0; x < rgb.width(); ++x) out[x] = colours.IndexOf(line[x]);
  }
  // The palette plane holds 256 native-endian ARGB words; unused entries stay black.
  auto* palette = reinterpret_cast<uint32_t*>(frame->data[1]);
  std::fill(palette, palette + kColours, 0xFF000000u);
  for (size_t i = 0; i < colours.Palette().size(); ++i) palette[i] = 0xFF000000u | colours.Palette()[i];

  QByteArray gif;
  if (avcodec_send_frame(context.get(), frame.get()) < 0 || avcodec_send_frame(context.get(), nullptr) < 0) {
    error = QStringLiteral("the GIF encoder refused the picture");
    return {};
  }
  while (avcodec_receive_packet(context.get(), packet.get()) == 0) {
    gif.append(reinterpret_cast<const char*>(packet->data), packet->size);
    av_packet_unref(packet.get());
  }
  // The encoder writes the header, colour table and image; the file's trailer is ours.
  if (!gif.startsWith("GIF8")) {
    error = QStringLiteral("the GIF encoder gave no picture");
    return {};
  }
  return gif + ';';
}

}  // namespace

bool WriteGif(const QImage& image, const QString& path, QString& error) {
  av_log_set_level(AV_LOG_ERROR);
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  const QByteArray gif = EncodeGif(rgb, Quantizer(rgb), error);
  if (gif.isEmpty()) return false;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(gif) != gif.size() || !file.commit()) {
    error = path + QStringLiteral(": cannot write");
    return false;
  }
  return true;
}

}  // namespace pivlo::assets
