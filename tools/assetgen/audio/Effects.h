#pragma once
#include "Clip.h"

#include <cstdint>

// The game's sound effects, each synthesised from scratch and normalised to
// its own level (quiet hover tick, louder click, ...). All are 44.1 kHz.
namespace assetgen::audio {

Clip ButtonClick();   // short, firm button click
Clip ButtonHover();   // very short, quiet tick when the pointer enters a button
Clip CardSelect();    // light card tap (selecting a card)
Clip Tock();          // pleasant wooden "tock": a valid move, a card landing
Clip Invalid();       // soft two-step buzz: a refused move
Clip Swish();         // card swish of swept, filtered noise
Clip HintChime(int which); // 1: the card to move, 2: its target (a fifth higher)
Clip BonusArpeggio(); // bright rising arpeggio, stereo
// A crowd of `clappers` people clapping for about `seconds`, stereo.
Clip Applause(uint64_t seed, int clappers, double seconds);
Clip Splash();        // logo sting, stereo, about 5.5 s ending in silence

} // namespace assetgen::audio
