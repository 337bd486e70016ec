#include "app/Delta.h"

float Delta = 1.0f;
