#include "Music.h"

#include "Envelopes.h"
#include "Instruments.h"
#include "Reverb.h"
#include "Rng.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace assetgen::audio {

namespace {

const int MajorScale[7] = {0, 2, 4, 5, 7, 9, 11};

// Pitch of scale step `step` (0 = tonic, 7 = the octave above) in a key.
int ScalePitch(int tonic, int step) {
  int octave = step >= 0 ? step / 7 : -((-step + 6) / 7);
  int index = step - octave * 7;
  return tonic + 12 * octave + MajorScale[index];
}

// A diatonic chord on scale degree `degree` (0 = I ... 5 = vi).
struct Chord {
  int degree;
  // Pitch classes (0..11, relative to C) of the triad, and of the colour
  // note added to the pad voicing (ninth on I and IV, seventh elsewhere).
  std::vector<int> Triad(int tonic) const {
    std::vector<int> pcs;
    for (int k = 0; k < 3; ++k) pcs.push_back(ScalePitch(tonic, degree + 2 * k) % 12);
    return pcs;
  }
  int Colour(int tonic) const {
    int step = (degree == 0 || degree == 3) ? degree + 8 : degree + 6;
    return ScalePitch(tonic, step) % 12;
  }
  int Root(int tonic) const { return ScalePitch(tonic, degree) % 12; }
};

// The nearest pitch at or above `low` with pitch class `pc`.
int PitchAtOrAbove(int pc, int low) {
  int p = low - ((low % 12) - pc + 12) % 12;
  return p < low ? p + 12 : p;
}

// Pad voicing closest to the previous one, kept between `low` and `high`.
std::vector<int> VoiceLead(const std::vector<int>& pcs, const std::vector<int>& previous, int low, int high) {
  std::vector<int> best;
  double bestCost = 1e9;
  for (int base = low; base < low + 12; ++base) {
    // Close position, trying every inversion in turn.
    for (size_t first = 0; first < pcs.size(); ++first) {
      std::vector<int> voicing;
      int floor = base;
      for (size_t k = 0; k < pcs.size(); ++k) {
        int p = PitchAtOrAbove(pcs[(first + k) % pcs.size()], floor);
        voicing.push_back(p);
        floor = p + 1;
      }
      if (voicing.front() < low || voicing.back() > high) continue;
      std::vector<int> sorted = voicing;
      std::sort(sorted.begin(), sorted.end());
      double cost = 0;
      if (previous.size() == sorted.size()) {
        for (size_t k = 0; k < sorted.size(); ++k) cost += std::abs(sorted[k] - previous[k]);
      } else {
        cost = std::abs(sorted.front() - (low + high) / 2 + 6);
      }
      if (cost < bestCost) {
        bestCost = cost;
        best = sorted;
      }
    }
  }
  return best;
}

// Rhythms for a two-bar melodic cell, in beats; negative values are rests.
const std::vector<std::vector<double>>& CellRhythms(int beatsPerBar) {
  static const std::vector<std::vector<double>> four = {
      {1, 1, 1, 1, 2, -2},       {1.5, 0.5, 1, 1, 3, -1}, {2, 1, 1, 2, 1, 1},
      {1, 0.5, 0.5, 1, 1, 3, -1}, {-1, 1, 1, 1, 2, 2},     {0.5, 0.5, 1, 2, 1.5, 0.5, 2}};
  static const std::vector<std::vector<double>> three = {
      {1, 1, 1, 2, -1}, {2, 1, 2, 1}, {1.5, 0.5, 1, 3}, {1, 1, 1, 1, 1, 1}, {3, 1, 1, 1}, {-1, 1, 1, 2, 1}};
  return beatsPerBar == 3 ? three : four;
}

struct Section {
  std::vector<int> degrees; // one chord per bar
  bool melody = true;
  double energy = 1.0;      // level of the accompaniment
  int repeatOf = -1;        // reuse the melody of an earlier section...
  int keepCells = 0;        // ...keeping this many of its two-bar cells
};

struct TrackPlan {
  int tonic;                // MIDI pitch of the key's tonic (melody octave)
  double bpm;
  int beatsPerBar;
  Voice lead, accompaniment;
  int melodyLow, melodyHigh;
  uint64_t seed;
  std::vector<Section> sections;
};

TrackPlan Plan(int number) {
  if (number == 2) {
    // D major, a slow waltz: harp arpeggios under a flute.
    return TrackPlan{
        62, 80, 3, Voice::Flute, Voice::Harp, 69, 86, 0x5EED0002,
        {
            {{0, 3, 0, 4}, false, 0.7},
            {{0, 2, 3, 0, 5, 1, 4, 4}, true, 1.0},
            {{0, 2, 3, 0, 5, 1, 4, 4}, true, 1.0, 1, 2},
            {{5, 3, 0, 4, 5, 3, 1, 4}, true, 1.1},
            {{5, 3, 0, 4, 5, 3, 1, 4}, true, 1.1, 3, 2},
            {{1, 4, 2, 5, 1, 4, 3, 4}, false, 0.8},
            {{0, 2, 3, 0, 5, 1, 4, 4}, true, 1.0, 1, 3},
            {{0, 2, 3, 0, 5, 1, 4, 0}, true, 0.9, 1, 2},
            {{3, 4, 0, 0}, false, 0.7},
        }};
  }
  // F major, a gentle four-beat ballad: electric piano under a flute.
  return TrackPlan{
      65, 70, 4, Voice::Flute, Voice::Keys, 67, 84, 0x5EED0001,
      {
          {{0, 3, 0, 3}, false, 0.7},
          {{0, 5, 3, 4, 0, 5, 1, 4}, true, 1.0},
          {{0, 5, 3, 4, 0, 5, 1, 4}, true, 1.0, 1, 2},
          {{3, 4, 2, 5, 1, 2, 3, 4}, true, 1.15},
          {{0, 5, 3, 4, 0, 5, 1, 4}, true, 1.0, 1, 3},
          {{3, 0, 3, 0}, false, 0.75},
      }};
}

// Writes the melody of one section: two-bar cells, chord tones on the strong
// beats, scale steps between, each phrase closing on a chord tone.
std::vector<Note> ComposeMelody(Rng& rng, const TrackPlan& plan, const Section& section, double start,
                                double beat, const std::vector<Note>* earlier, double earlierStart, int keepCells) {
  std::vector<Note> notes;
  int bars = int(section.degrees.size());
  double cellLength = 2 * plan.beatsPerBar * beat;
  int cells = bars / 2;
  // Reuse the first cells of an earlier statement of the theme unchanged.
  if (earlier && keepCells > 0) {
    for (const Note& n : *earlier) {
      int cell = int((n.start - earlierStart + 0.02) / cellLength);
      if (cell < keepCells) {
        Note copy = n;
        copy.start = start + (n.start - earlierStart);
        notes.push_back(copy);
      }
    }
  }
  int pitch = notes.empty() ? ScalePitch(plan.tonic, 4) : int(notes.back().pitch);
  for (int cell = (earlier ? keepCells : 0); cell < cells; ++cell) {
    const auto& rhythms = CellRhythms(plan.beatsPerBar);
    const std::vector<double>& rhythm = rhythms[size_t(rng.Int(0, int(rhythms.size()) - 1))];
    double pos = 0; // in beats, from the cell start
    // The contour rises in the first half of each phrase and falls after.
    int direction = (cell % 2 == 0) ? 1 : -1;
    for (size_t k = 0; k < rhythm.size(); ++k) {
      double length = std::fabs(rhythm[k]);
      if (rhythm[k] < 0) {
        pos += length;
        continue;
      }
      int bar = cell * 2 + int(pos / plan.beatsPerBar);
      double inBar = std::fmod(pos, double(plan.beatsPerBar));
      Chord chord{section.degrees[size_t(std::min(bar, bars - 1))]};
      bool strong = inBar < 1e-6 || (plan.beatsPerBar == 4 && std::fabs(inBar - 2.0) < 1e-6);
      bool last = k + 1 == rhythm.size() || (k + 2 == rhythm.size() && rhythm.back() < 0);
      if (strong || last) {
        // Nearest chord tone, sometimes the next one up or down.
        std::vector<int> candidates;
        for (int pc : chord.Triad(plan.tonic))
          for (int p = PitchAtOrAbove(pc, plan.melodyLow); p <= plan.melodyHigh; p += 12) candidates.push_back(p);
        // Aim a little ahead in the phrase's direction; mostly avoid simply
        // repeating the last note.
        int aim = pitch + 2 * direction;
        std::sort(candidates.begin(), candidates.end(),
                  [&](int a, int b) { return std::abs(a - aim) < std::abs(b - aim); });
        if (candidates.size() > 1 && candidates.front() == pitch && rng.Chance(0.8))
          std::rotate(candidates.begin(), candidates.begin() + 1, candidates.end());
        if (last && cell == cells - 1) {
          // The section ends at rest on the chord's root where one fits.
          int root = chord.Root(plan.tonic);
          for (int p : candidates)
            if (p % 12 == root) {
              candidates.insert(candidates.begin(), p);
              break;
            }
          pitch = candidates.front();
        } else {
          pitch = candidates[size_t(rng.Chance(0.7) ? 0 : std::min<size_t>(1, candidates.size() - 1))];
        }
      } else {
        // Step through the scale, mostly in the phrase's direction.
        int step = rng.Chance(0.75) ? direction : -direction;
        if (rng.Chance(0.2)) step *= 2;
        int degreeIndex = 0;
        for (int s = -14; s < 28; ++s)
          if (ScalePitch(plan.tonic, s) >= pitch) {
            degreeIndex = s;
            break;
          }
        int next = ScalePitch(plan.tonic, degreeIndex + step);
        if (next < plan.melodyLow || next > plan.melodyHigh) next = ScalePitch(plan.tonic, degreeIndex - step);
        pitch = next;
      }
      Note note;
      note.start = start + cell * cellLength + pos * beat + rng.Range(-0.006, 0.006);
      note.length = length * beat * 0.92;
      note.pitch = pitch;
      note.velocity = (strong ? 0.8 : 0.66) * rng.Range(0.92, 1.0);
      note.pan = 0.1;
      notes.push_back(note);
      pos += length;
    }
  }
  return notes;
}

} // namespace

Clip MusicTrack(int number, int rate) {
  const TrackPlan plan = Plan(number);
  const double beat = 60.0 / plan.bpm;
  const double barLength = plan.beatsPerBar * beat;
  int totalBars = 0;
  for (const Section& s : plan.sections) totalBars += int(s.degrees.size());
  const double ring = 6.0; // the final chord rings out, then the reverb tail
  const double seconds = totalBars * barLength + ring;
  Clip mix = MakeClip(rate, 2, seconds);

  Rng rng(plan.seed);
  std::vector<Note> pad, accompaniment, bass, lead, bells;
  std::vector<std::vector<Note>> melodies(plan.sections.size());
  std::vector<double> sectionStarts(plan.sections.size());
  std::vector<int> voicing;
  double t = 0;
  for (size_t si = 0; si < plan.sections.size(); ++si) {
    const Section& section = plan.sections[si];
    sectionStarts[si] = t;
    bool finalSection = si + 1 == plan.sections.size();
    for (size_t b = 0; b < section.degrees.size(); ++b) {
      Chord chord{section.degrees[b]};
      double barStart = t + double(b) * barLength;
      bool lastBar = finalSection && b + 1 == section.degrees.size();
      double hold = lastBar ? barLength + ring * 0.5 : barLength * 1.02;

      // Pad: triad plus colour note, voice-led, held through the bar.
      std::vector<int> pcs = chord.Triad(plan.tonic);
      pcs.push_back(chord.Colour(plan.tonic));
      voicing = VoiceLead(pcs, voicing, 52, 72);
      for (int p : voicing)
        pad.push_back({barStart, hold, double(p), 0.5 * section.energy, (p % 2 ? 0.3 : -0.3)});

      // Bass: the root, with the fifth halfway through a four-beat bar.
      int root = PitchAtOrAbove(chord.Root(plan.tonic), 36);
      if (plan.beatsPerBar == 4 && !lastBar) {
        bass.push_back({barStart, beat * 2 * 0.95, double(root), 0.8 * section.energy, 0.0});
        bass.push_back({barStart + 2 * beat, beat * 2 * 0.95, double(root + 7), 0.65 * section.energy, 0.0});
      } else {
        bass.push_back({barStart, lastBar ? hold : barLength * 0.97, double(root), 0.8 * section.energy, 0.0});
      }

      // Accompaniment: rolling eighth-note arpeggios across the chord.
      std::vector<int> tones = VoiceLead(chord.Triad(plan.tonic), {}, 57, 70);
      tones.push_back(tones.front() + 12);
      if (plan.accompaniment == Voice::Harp) tones.insert(tones.begin(), root + 12);
      static const int fourPattern[8] = {0, 1, 2, 3, 2, 1, 2, 1};
      static const int threePattern[6] = {0, 1, 2, 3, 4, 2};
      int steps = plan.beatsPerBar * 2;
      int played = lastBar ? 1 : steps;
      for (int s = 0; s < played; ++s) {
        int index = plan.beatsPerBar == 4 ? fourPattern[s] : threePattern[s];
        index = std::min(index, int(tones.size()) - 1);
        double accent = (s == 0) ? 1.0 : (s % 2 == 0 ? 0.8 : 0.65);
        double length = lastBar ? hold : beat * 0.5 * 1.6;
        double pan = -0.45 + 0.9 * double(index) / double(tones.size());
        accompaniment.push_back({barStart + s * beat * 0.5 + rng.Range(0.0, 0.008), length,
                                 double(tones[size_t(index)]), 0.42 * accent * section.energy, pan});
      }

      // A high bell on the downbeat of every other bar in the fuller parts.
      if (section.energy > 1.05 && b % 2 == 0)
        bells.push_back({barStart, beat, double(PitchAtOrAbove(chord.Root(plan.tonic), 84)), 0.3, -0.2});
    }

    if (section.melody) {
      const std::vector<Note>* earlier = section.repeatOf >= 0 ? &melodies[size_t(section.repeatOf)] : nullptr;
      double earlierStart = earlier ? sectionStarts[size_t(section.repeatOf)] : 0.0;
      melodies[si] = ComposeMelody(rng, plan, section, t, beat, earlier, earlierStart, earlier ? section.keepCells : 0);
      lead.insert(lead.end(), melodies[si].begin(), melodies[si].end());
    }
    t += double(section.degrees.size()) * barLength;
  }

  RenderNotes(mix, pad, Voice::Pad, 0.10);
  RenderNotes(mix, accompaniment, plan.accompaniment, plan.accompaniment == Voice::Harp ? 0.4 : 0.2);
  RenderNotes(mix, bass, Voice::Bass, 0.24);
  RenderNotes(mix, lead, plan.lead, 0.24);
  RenderNotes(mix, bells, Voice::Bell, 0.2);

  RemoveDc(mix);
  AddReverb(mix, 0.75, 0.5, 0.45);
  FadeIn(mix, 0.05);
  FadeOut(mix, ring * 0.6);
  Normalise(mix, 0.78f);
  return mix;
}

} // namespace assetgen::audio
