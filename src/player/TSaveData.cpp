#include "player/TSaveData.h"

std::shared_ptr<TSaveData> TSaveData::Create() { return std::make_shared<TSaveData>(); }
