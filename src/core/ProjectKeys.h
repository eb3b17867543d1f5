#pragma once

#include "core/BagValue.h"
#include "core/ProjectModel.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace pivlo {

// How one stored value maps to a field of `Target`: `get` gives the value the writer
// puts; `set` takes a stored or given value with the model's validation and returns
// false, changing nothing, for a value the field cannot hold.
template <typename Target>
struct KeyAccess {
  std::function<BagValue(const Target&)> get;
  std::function<bool(Target&, const BagValue&)> set;  // empty for keys that are never read
};

enum class WriteRule {
  Always,
  OmitWhenEmpty,    // a text written only when not empty
  OnlyWhenPathSet,  // a path written only when it names a file (IsPathSet)
};

// What the project reader does when the bag lacks the key.
enum class ReadRule {
  KeepWhenAbsent,   // the field keeps its value (the writer always writes these keys)
  EmptyWhenAbsent,  // an absent text is an empty one (the writer omits empty texts)
  KeepWhenEmpty,    // only a non-empty value is taken
  ZeroWhenAbsent,   // an absent number is 0
};

struct SettingKey {
  QString key;
  KeyAccess<ProjectSettings> access;
  WriteRule write = WriteRule::Always;
  ReadRule read = ReadRule::KeepWhenAbsent;
};

// "BackGroundPicture", "OpeningImage", "EndingImage", "LogoImage", in the writer's order.
const QList<SettingKey>& ProjectPathKeys();
// The settings block, in the writer's order.
const QList<SettingKey>& SettingsBlockKeys();

// The per-picture keys; a key is the prefix, the 1-based index and ")".
struct PictureKey {
  enum class Group {
    Name,      // always written
    Duration,  // written when above 0
    Offset,    // each written when not 0
    Caption,   // written, all of them, when the caption is not empty
    Headline,  // written, all of them, when the headline is not empty
  };
  QString prefix;
  Group group;
  KeyAccess<ImageEntry> access;
};
const QList<PictureKey>& PictureKeys();

// A stored or given value taken as the kind a field holds; texts count as a person would
// write them ("true", "12", "3.5"). Nothing when the value does not fit the kind.
std::optional<qint32> IntOf(const BagValue& value);
std::optional<bool> BoolOf(const BagValue& value);
std::optional<float> FloatOf(const BagValue& value);  // finite values only
std::optional<QString> TextOf(const BagValue& value);

// A per-index key: the prefix (ending in "("), the decimal index and ")".
QString IndexedKey(const QString& prefix, qint64 index);

enum class KeyResult { Applied, UnknownKey, InvalidValue, NoSuchPicture };

// Applies one value by its bag key with the model's validation: a setting, a picture
// path or a per-picture key such as "ImgCaption(2)". Keys that are only ever written
// ("AppVersion", "EnableFloating") and the list keys are not settable.
KeyResult SetValueByKey(ProjectModel& model, const QString& key, const BagValue& value);

}  // namespace pivlo
