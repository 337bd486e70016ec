#pragma once
#include <string>

// The game's sound effects and music, synthesised from fixed seeds so that
// every run writes byte-identical files.
//
// GenerateAudio writes, under outRoot:
//   data/sound/buttonclick.wav buttonmo.wav buttonclick2.wav buttonclick3.ogg
//              invalid.wav swish.wav hint1.wav hint2.wav bonus.ogg
//              applause.ogg applause2.ogg splash.wav
//   data/music/music1.ogg music2.ogg
// It creates the folders it needs. Returns false (after printing the reason
// to stderr) when a file cannot be written or encoded.
//
// Build: AudioGen.cpp and audio/*.cpp, linked with PkgConfig::VORBISENC.
bool GenerateAudio(const std::string& outRoot);
