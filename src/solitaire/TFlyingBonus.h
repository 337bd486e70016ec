#pragma once
#include <cstdint>
#include <memory>

class TBezier;
class TBonusEffect;

// A bonus worth Points flying from where it was earned to the score display
// with its particle trail; shared by the layout games (Tri Peaks, Matching).
// It pays on arrival (done = 1) and leaves its game once the trail's first
// emitter has died out, at once when that emitter is off or there is no
// trail, and in any case MaxLingerMs after arriving.
class TFlyingBonus {
public:
  static constexpr float MaxLingerMs = 5000;

  virtual ~TFlyingBonus() = default;

  // Flies from (x, y) along the given curve at `speed`, trail from BonusEffectFactory.
  void Start(int32_t x, int32_t y, int32_t controlX, int32_t controlY, int32_t endX, int32_t endY, float speed,
             int32_t points);
  // The streak bonus of the layout games: from (x, y) out towards (500, 150)
  // and onto the score display at (615, 50).
  void StartStreakBonus(int32_t x, int32_t y, int32_t points) { Start(x, y, 500, 150, 615, 50, 0.0075f, points); }
  // One logic step: 1 in the step it arrives (the caller pays Points), else 0.
  int32_t Manage();
  // 1 once it has arrived and may leave its list.
  int32_t MayLeave() const;
  void Draw(float delta);

  std::shared_ptr<TBezier> Bezier;
  std::shared_ptr<TBonusEffect> Particle;
  int32_t Points = 0;
  int32_t X = 0, Y = 0;
  int32_t done = 0;
  float TicksSinceArrival = 0;
};
