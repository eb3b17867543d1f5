#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSize>
#include <QString>
#include <QStringList>

namespace pivlo {

// Qt's names of the formats this machine's Qt cannot read (of the five) or write (JPEG, PNG).
QStringList MissingPlatformFormats();

// A picture of the platform library's five formats (BMP, JPEG, GIF, PNG, TIFF), read with
// Qt's readers of those formats and recognised by content, whatever the file's name says.
// Qt's readers of other formats (its TGA reader among them) are never asked.
class PlatformPicture {
 public:
  explicit PlatformPicture(const QString& path);
  explicit PlatformPicture(const QByteArray& bytes);
  explicit PlatformPicture(QIODevice* device);  // open for reading; the caller keeps it
  PlatformPicture(const PlatformPicture&) = delete;
  PlatformPicture& operator=(const PlatformPicture&) = delete;

  // "BMP", "JPG", "GIF", "PNG" or "TIF" when the picture is in one of the five formats and
  // its header reads; empty otherwise.
  const QString& Tag() const { return tag_; }
  // As shown: a photo's orientation tag applied.
  QSize Size() const { return size_; }

  // Whether the picture is an icon that decodes: the platform library loads icons too,
  // though they are none of the five. (Qt's icon reader also claims files that are not
  // icons, many TGA files among them; those do not decode.)
  bool IsIcon();

  // Decodes the picture the right way up, at `scaled` size when that is given (a JPEG decodes at a reduced
  // scale where it can, the others are scaled smoothly after decoding). Null when the
  // picture is not one of the five, exceeds the pixel limit or does not decode.
  QImage Read(QSize scaled = QSize());

 private:
  void Recognise();

  QFile file_;
  QBuffer buffer_;
  QIODevice* device_ = nullptr;
  QImageReader reader_;
  QString tag_;
  QSize size_;
  bool turned_ = false;  // the orientation tag turns it a quarter
};

}  // namespace pivlo
