#pragma once

namespace pivlo {

// What the project commands ask of the editor around the model. The editor implements
// it; headless callers (tests, the command line) keep the defaults, which do nothing.
class ProjectView {
 public:
  virtual ~ProjectView() = default;

  // Sets every editing control from the model, after a settings or project file was read.
  virtual void ApplySettingsToControls() {}
  // The picture and music lists were emptied.
  virtual void ListsCleared() {}
  // A project filled the lists: rebuild the thumbnails and select the first picture.
  virtual void PicturesReloaded() {}
  // Too few pictures for the command: show the pictures page and point at the add button.
  virtual void PointAtAddPictures() {}
};

}  // namespace pivlo
