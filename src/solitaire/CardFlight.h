#pragma once
#include <cstdint>

class TCard;

// Card flights of the layout games: a straight Bezier path (both control
// points on the start) with no speed correction, running forwards once.
// Starting one marks the card as moving with the flight's AnimationType.
void StartCardFlight(TCard& card, int32_t fromX, int32_t fromY, int32_t toX, int32_t toY, float speed,
                     int32_t animationType);
// One logic step along the path; `t` receives how far it has come. In the
// step the path ends the card is put exactly on the end point, stops moving,
// drops its path, and the result is 1 (a card moving without a path lands at once).
int32_t StepCardFlight(TCard& card, float& t);
