#pragma once

namespace pivlo {

// Which box the layout canvas edits: the settings page that is open. The values are the
// ones the main window keeps for its pages.
enum class CanvasMode {
  kPictures = 0,  // and every page not listed: no box, the picture marker (placement 1)
  kCaption = 1,
  kHeadline = 2,
  kLyrics = 3,
  kTitles = 4,
};

}  // namespace pivlo
