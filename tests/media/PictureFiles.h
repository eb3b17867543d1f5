#pragma once

// Picture files built byte by byte for the tests, and pictures encoded by Qt's writers.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

#include <functional>
#include <initializer_list>

namespace pivlo::test {

// The bytes of the values, each taken modulo 256.
QByteArray Bytes(std::initializer_list<int> values);

struct TgaLayout {
  int id_length = 0;
  int image_type = 2;
  int map_length = 0;
  int map_bits = 0;
  int x_origin = 0;
  int y_origin = 0;
  int width = 0;
  int height = 0;
  int depth = 24;
  int descriptor = 0;
  QByteArray map;     // the colour map's bytes as stored
  QByteArray pixels;  // the pixel data as stored (run-length packets for types 9 to 11)
};
QByteArray TgaFile(const TgaLayout& layout);

struct PcxLayout {
  int encoding = 1;
  int bits = 8;
  int planes = 1;
  int x_min = 0;
  int y_min = 0;
  int x_max = 0;
  int y_max = 0;
  int line_bytes = 0;
  QByteArray palette16;  // 48 bytes R, G, B
  QByteArray data;       // as stored after the header
};
QByteArray PcxFile(const PcxLayout& layout);

// PCX run-length encoding of the bytes, runs of up to 63 and bytes of 192 or more as runs.
QByteArray PcxRunLength(const QByteArray& raw);

// A GIF (which Qt does not write) of up to 4 colours: `indices` holds width x height
// palette indices, top row first.
QByteArray GifFile(int width, int height, const QList<QRgb>& palette, const QByteArray& indices);

// A picture whose pixel (x, y) has the colour the function gives.
QImage MakeImage(int width, int height, QImage::Format format, const std::function<QRgb(int, int)>& colour);

// Smooth colours, and alpha falling from 255 at the left (kept by formats with alpha).
QImage Gradient(int width, int height, QImage::Format format);

// The image encoded by Qt in the format ("jpeg", "png", ...); quality -1 for the default.
QByteArray Encoded(const QImage& image, const char* format, int quality = -1);

// A JPEG of the picture that carries a camera's orientation tag (EXIF 1 to 8) right after
// its start marker; the pixels are stored as given.
QByteArray OrientedJpeg(const QImage& image, int orientation);

// Pixels that compress badly, repeatable.
QImage NoiseImage(int width, int height, QImage::Format format, quint32 seed = 1);

}  // namespace pivlo::test
