#include "ProjectFixtures.h"

#include <QStringEncoder>
#include <QtEndian>

namespace pivlo::test {

ModelEnvironment TestEnvironment() {
  return ModelEnvironment{1366, 768, QStringLiteral("Noto Sans CJK SC"), 80.6};
}

void RecordingView::ApplySettingsToControls() {
  calls << QStringLiteral("ApplySettingsToControls");
  if (model != nullptr) flags_at_apply = model->flags;
}

LegacyFile& LegacyFile::Text(qint64 record, const QString& text) {
  QStringEncoder encoder("GB18030");
  const QByteArray encoded = encoder(text);
  QByteArray bytes(2, Qt::Uninitialized);
  qToLittleEndian<quint16>(quint16(encoded.size()), bytes.data());
  return Raw(record, bytes + encoded);
}

LegacyFile& LegacyFile::Raw(qint64 record, const QByteArray& bytes) {
  const qint64 start = (record - 1) * 128;
  if (bytes_.size() < start + 128) bytes_.append(QByteArray(start + 128 - bytes_.size(), '\0'));
  bytes_.replace(start, bytes.size(), bytes);
  return *this;
}

LegacyFile PlainLegacyFile(const QStringList& pictures, const QStringList& songs) {
  LegacyFile file;
  const qint64 n = pictures.size();
  const qint64 m = songs.size();
  file.Text(4, QStringLiteral("00000000")).Text(5, QStringLiteral("10")).Text(9, QStringLiteral(" "));
  for (int record : {6, 7, 8, 21}) file.Text(record, QStringLiteral("0"));
  file.Text(11, QString::number(n)).Text(12, QString::number(m)).Text(30, QStringLiteral("1"));
  for (int record : {32, 33, 34, 35, 36, 44, 48}) file.Text(record, QString());
  for (qint64 i = 1; i <= m; ++i) file.Text(50 + i, songs[i - 1]);
  const qint64 at = 50 + m;
  for (qint64 i = 1; i <= n; ++i) {
    file.Text(at + i, pictures[i - 1]);
    for (int k : {1, 2, 4, 5}) file.Text(at + k * n + i, QStringLiteral("0"));
    file.Text(at + 3 * n + i, QString());
  }
  return file;
}

}  // namespace pivlo::test
