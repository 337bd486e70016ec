#pragma once
#include "Clip.h"

#include <vector>

// The music's instruments. Each renders a list of notes into a stereo clip
// (adding to what is there). Voices use band-limited wavetables, so even the
// high notes stay free of aliasing.
namespace assetgen::audio {

// One note: start and length in seconds, MIDI pitch, velocity 0..1 and pan
// (-1 left .. +1 right). The sound may ring on after `length`.
struct Note {
  double start = 0;
  double length = 0;
  double pitch = 60;
  double velocity = 0.7;
  double pan = 0;
};

enum class Voice {
  Pad,    // two detuned soft voices, slow attack and release
  Keys,   // soft electric piano (two-operator FM), decaying
  Flute,  // breathy lead with delayed vibrato
  Harp,   // plucked string (Karplus-Strong)
  Bass,   // round, plucked bass
  Bell    // high glassy bell for sparkles
};

void RenderNotes(Clip& mix, const std::vector<Note>& notes, Voice voice, double gain);

} // namespace assetgen::audio
