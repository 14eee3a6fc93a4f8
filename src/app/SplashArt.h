#pragma once

#include <QImage>

// The splash screen's own artwork, drawn in code so it is the same everywhere.
namespace SplashArt {

// The 141 x 166 colour logo: a guitar neck seen from the player's side.
QImage logo();
// The 53 x 60 black-and-white picture: a chord diagram.
QImage chordPicture();

} // namespace SplashArt
