#pragma once
#include "Clip.h"

// The two background tracks. Each is a complete, calm piece of a little over
// two minutes (intro, themes, a bridge, a closing cadence) that ends in
// silence: the game plays them one after the other, never looped.
namespace assetgen::audio {

// `number` 1 or 2; stereo at `rate` Hz, normalised with headroom for the
// lossy encoder.
Clip MusicTrack(int number, int rate);

} // namespace assetgen::audio
