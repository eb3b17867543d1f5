#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <functional>

namespace pivlo::assets {

// One picture the program ships, known by its file name; the extension decides the format.
struct Asset {
  QString file;
  std::function<QImage()> draw;
};

void AddButtonFaces(QList<Asset>& assets);
void AddPictures(QList<Asset>& assets);
void AddFrames(QList<Asset>& assets);
void AddProgramIcons(QList<Asset>& assets);

}  // namespace pivlo::assets
