#include "effects/TSmashParticleFX.h"

#include "platform/ErrorReport.h"
#include "platform/Files.h"
#include "effects/SavedDrawState.h"
#include "resources/TPakFileManager.h"

#include <cstring>
#include <type_traits>
#include <vector>

namespace {

// The stored fields of an emitter in file order; values 28 and 29 are int32.
template <class Emitter, class Float = std::conditional_t<std::is_const_v<Emitter>, const float, float>,
          class Int = std::conditional_t<std::is_const_v<Emitter>, const int32_t, int32_t>>
struct Fields {
  Float* floats[32];
  Int* renderType;
  Int* image;
};

template <class Emitter> Fields<Emitter> FieldsOf(Emitter& e) {
  return {{&e.EmitterDelay, &e.EmitterDuration, &e.EmissionRate, &e.EmissionEachFrame, &e.SpeedX, &e.SpeedY,
           &e.SpeedVarX, &e.SpeedVarY, &e.SizeVar, &e.LaunchSize, &e.Grow, &e.MinSize, &e.MaxSize, &e.Alpha,
           &e.AlphaVar, &e.AlphaChange, &e.RotationSpeed, &e.RotationVar, &e.RotationStart, &e.StartOffsetX,
           &e.StartOffsetY, &e.StartOffsetVarX, &e.StartOffsetVarY, &e.ColorChangeR, &e.ColorChangeG,
           &e.ColorChangeB, &e.LifeTime, &e.ColorR, &e.ColorG, &e.ColorB, &e.GravityX, &e.GravityY},
          &e.RenderType,
          &e.Image};
}

// Position of float number i (0-based) in the record: the two integers sit
// after the 27th float.
size_t FloatSlot(size_t i) { return i < 27 ? i : i + 2; }

uint32_t WordAt(const uint8_t* data, size_t size, size_t offset) {
  if (offset + 4 > size) return 0; // past the end of a short file
  return uint32_t(data[offset]) | uint32_t(data[offset + 1]) << 8 | uint32_t(data[offset + 2]) << 16 |
         uint32_t(data[offset + 3]) << 24;
}

void PutWord(std::string& out, size_t offset, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[offset + size_t(i)] = char(uint8_t(v >> (8 * i)));
}

std::string FileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::shared_ptr<TSmashParticleFX> TSmashParticleFX::Load(const std::string& path, uint8_t loop) {
  auto fx = std::make_shared<TSmashParticleFX>();
  fx->LoadFX(path);
  fx->LoopFX = loop;
  return fx;
}

std::shared_ptr<TSmashParticleFX> TSmashParticleFX::DuplicateFrom(const TSmashParticleFX& source) {
  auto fx = std::make_shared<TSmashParticleFX>();
  fx->LoopFX = source.LoopFX;
  fx->Running = source.Running;
  for (size_t i = 0; i < EmitterCount; ++i) {
    fx->Emitter[i] = source.Emitter[i];
    fx->Emitter[i].Particles.clear();
    fx->Emitter[i].Frame = 0;
    fx->Emitter[i].StartTime = fx->Emitter[i].CurrTime = 0;
  }
  return fx;
}

void TSmashParticleFX::LoadFX(const std::string& path) {
  std::vector<uint8_t> bytes;
  bool read = false;
  if (PakFiles) {
    if (auto item = PakFiles->GetItem(FileNameOf(path))) {
      bytes = item->Data;
      read = true;
    }
  }
  // The file is a few kilobytes at most; anything larger is not an effect.
  if (!read) read = platform::ReadWholeFile(platform::ResolvePath(path), bytes, 1 << 20);
  if (!read) {
    ShowError("Could not load Particle FX", 1);
    return;
  }
  ParseFX(bytes.data(), bytes.size());
}

void TSmashParticleFX::ParseFX(const uint8_t* data, size_t size) {
  for (size_t i = 0; i < EmitterCount; ++i) {
    const size_t base = i * RecordBytes;
    auto fields = FieldsOf(Emitter[i]);
    for (size_t f = 0; f < 32; ++f) {
      const uint32_t word = WordAt(data, size, base + 4 * FloatSlot(f));
      std::memcpy(fields.floats[f], &word, 4);
    }
    *fields.renderType = int32_t(WordAt(data, size, base + 4 * 27));
    *fields.image = int32_t(WordAt(data, size, base + 4 * 28));
    Emitter[i].Sanitize();
  }
}

std::string TSmashParticleFX::FormatFX() const {
  std::string out(FileBytes, '\0');
  for (size_t i = 0; i < EmitterCount; ++i) {
    const size_t base = i * RecordBytes;
    auto fields = FieldsOf(Emitter[i]);
    for (size_t f = 0; f < 32; ++f) {
      uint32_t word;
      std::memcpy(&word, fields.floats[f], 4);
      PutWord(out, base + 4 * FloatSlot(f), word);
    }
    PutWord(out, base + 4 * 27, uint32_t(*fields.renderType));
    PutWord(out, base + 4 * 28, uint32_t(*fields.image));
  }
  return out;
}

void TSmashParticleFX::SaveFX(const std::string& path) const {
  if (!platform::WriteFileAtomic(path, FormatFX())) ShowError("Could not save Particle FX", 1);
}

void TSmashParticleFX::MoveTo(float x, float y) {
  for (auto& emitter : Emitter) {
    emitter.X = x;
    emitter.Y = y;
  }
}

void TSmashParticleFX::Render(float delta, uint8_t emit) {
  if (!Running) return;
  const SavedDrawState saved;
  for (auto& emitter : Emitter) {
    emitter.Render(delta, emit);
    if (LoopFX) emitter.Loop();
  }
  saved.Restore();
}

uint8_t TSmashParticleFX::Finished() const {
  int count = 0;
  for (const auto& emitter : Emitter)
    if (emitter.Finished() || emitter.RenderType == RENDER_OFF) ++count;
  return count > 8 ? 1 : 0;
}

void TSmashParticleFX::Restart() {
  for (auto& emitter : Emitter) emitter.Frame = 0;
  Running = 1;
}

void TSmashParticleFX::Reset() {
  for (auto& emitter : Emitter) emitter.Reset();
}

size_t TSmashParticleFX::ParticleCount() const {
  size_t count = 0;
  for (const auto& emitter : Emitter) count += emitter.Particles.size();
  return count;
}
