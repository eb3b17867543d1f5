#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

#include "core/basByteFiles.h"
#include "media/LoadTgaPcx.h"
#include "media/PictureLimits.h"
#include "media/basGdiPlus.h"

#include <QFile>
#include <QFileInfo>

namespace pivlo::cli {
namespace {

bool IsFile(const QString& path) {
  if (QFileInfo(path).isFile()) return true;
  PrintError(path + QStringLiteral(": no such file"));
  return false;
}

struct DecodeOptions {
  int mode = kPlaceCentred;
  QSize size;  // invalid: the picture's own
};

std::optional<DecodeOptions> ParseDecodeOptions(const QStringList& options) {
  DecodeOptions parsed;
  if (options.size() % 2 != 0) return std::nullopt;
  for (qsizetype i = 0; i < options.size(); i += 2) {
    const QString& value = options[i + 1];
    bool ok = false;
    if (options[i] == u"--mode") {
      parsed.mode = value.toInt(&ok);
      if (!ok || parsed.mode < kPlaceCentred || parsed.mode > kPlaceStretched) return std::nullopt;
    } else if (options[i] == u"--size") {
      const std::optional<QSize> size = ParseSize(value);
      if (!size) return std::nullopt;
      parsed.size = *size;
    } else {
      return std::nullopt;
    }
  }
  return parsed;
}

}  // namespace

int Probe(const QStringList& args) {
  if (args.isEmpty()) return kUsageError;
  QString out;
  for (const QString& path : args) {
    const ImageProbe probe = ProbeImageFile(UserPath(path), true);
    out += probe.Format + u'\t' + QString::number(probe.Width) + u'\t' + QString::number(probe.Height) + u'\t' +
           QString::number(probe.Depth) + u'\t' + EscapeField(path) + u'\n';
  }
  PrintOut(out);
  return 0;
}

int Decode(const QStringList& args) {
  if (args.size() < 2) return kUsageError;
  const std::optional<DecodeOptions> options = ParseDecodeOptions(args.mid(2));
  if (!options) return kUsageError;
  const QString path = UserPath(args[0]);
  if (!IsFile(path)) return 1;
  const ImageProbe probe = ProbeImageFile(path, true);
  // Our decoders' pictures have the rows the file holds, which may be fewer than its
  // header claims: the picture's size is theirs.
  const bool ours = probe.Format == u"TGA" || probe.Format == u"PCX";
  const QImage decoded = !ours ? QImage() : probe.Format == u"TGA" ? DecodeTgaFile(path) : DecodePcxFile(path);
  const QSize picture = ours ? decoded.size() : QSize(probe.Width, probe.Height);
  const QSize size = options->size.isValid() ? options->size : picture;
  if (!probe.IsKnown() || !WithinPixelLimit(size)) {
    PrintError(path + QStringLiteral(": not a picture that can be drawn"));
    return 1;
  }
  QImage box(size, QImage::Format_RGB32);
  box.fill(Qt::black);
  const std::optional<QRect> drawn = ours ? PaintDecodedPicture(box, decoded, options->mode, QPoint())
                                          : PaintPictureFile(box, path, options->mode, QPoint());
  if (!drawn) {
    PrintError(path + QStringLiteral(": the ") + probe.Format + QStringLiteral(" decoder draws nothing"));
    return 1;
  }
  return WriteOutputFile(args[1], EncodePicture(box, QStringLiteral("PNG"), -1)) ? 0 : 1;
}

int Convert(const QStringList& args) {
  if (args.size() != 2) return kUsageError;
  const QString path = UserPath(args[0]);
  if (!IsFile(path)) return 1;
  const PreparedPicture prepared = PreparePictureBytes(path);
  QByteArray bytes = prepared.bytes;
  if (!prepared.used && ReadFileBytes(bytes, path, 0, -1) == 0) {
    PrintError(path + QStringLiteral(": cannot read"));
    return 1;
  }
  if (!WriteOutputFile(args[1], bytes)) return 1;
  const ImageProbe written = ProbeImageBytes(bytes, true);
  PrintOut(prepared.format + u'\t' + (prepared.used ? QStringLiteral("converted") : QStringLiteral("source")) +
           u'\t' + QString::number(written.Width) + u'\t' + QString::number(written.Height) + u'\n');
  return 0;
}

}  // namespace pivlo::cli
