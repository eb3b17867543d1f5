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

}  // namespace pivlo::test
