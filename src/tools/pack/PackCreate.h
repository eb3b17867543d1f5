#pragma once

#include <QStringList>

namespace pivlo::cli {

// Writes a resource package from a list of files; shared by `pivlo-cli pack create` and
// pivlo-pack. Arguments: OUT --kind images|frames FILE... [--name TEXT]... [--copyright TEXT]
// Images are named by their file names; frames take one display name per file, in order.
int PackCreate(const QStringList& args);

inline constexpr char kPackCreateArguments[] =
    "OUT --kind images|frames FILE... [--name TEXT]... [--copyright TEXT]";

}  // namespace pivlo::cli
