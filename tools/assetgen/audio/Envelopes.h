#pragma once

namespace assetgen::audio {

// Envelopes of time t in seconds, 0..1.
// Linear attack, then exponential decay with time constant `decay`.
double Percussive(double t, double attack, double decay);
// Raised-cosine attack, sustain at 1 until `length`, raised-cosine release.
double SoftGate(double t, double attack, double length, double release);

// Pitch of a MIDI note number in Hz (69 = A 440).
double NoteHz(double note);

} // namespace assetgen::audio
