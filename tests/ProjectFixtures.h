#pragma once

#include "core/ProjectModel.h"
#include "core/ProjectView.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace pivlo::test {

// A 1366 × 768 screen whose lyric line measures 80.6 pixels.
ModelEnvironment TestEnvironment();

// Records which editor steps a flow asked for, in order.
class RecordingView : public ProjectView {
 public:
  QStringList calls;
  RunFlags flags_at_apply;  // the model's flags when the controls were set
  const ProjectModel* model = nullptr;

  void ApplySettingsToControls() override;
  void ListsCleared() override { calls << QStringLiteral("ListsCleared"); }
  void PicturesReloaded() override { calls << QStringLiteral("PicturesReloaded"); }
  void PointAtAddPictures() override { calls << QStringLiteral("PointAtAddPictures"); }
};

// Builds a file of the older project form: 128-byte records, each a 16-bit little-endian
// byte count and the text in GB18030.
class LegacyFile {
 public:
  LegacyFile& Text(qint64 record, const QString& text);
  LegacyFile& Raw(qint64 record, const QByteArray& bytes);  // the record's bytes as given
  const QByteArray& Bytes() const { return bytes_; }

 private:
  QByteArray bytes_;
};

// An older-form project with neutral settings (time "10", background "1", empty texts),
// no skipped records, the songs, then the pictures with zero offsets and no captions.
LegacyFile PlainLegacyFile(const QStringList& pictures, const QStringList& songs = {});

}  // namespace pivlo::test
