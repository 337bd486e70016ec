#include "app/TGameChannel.h"

std::shared_ptr<TGameChannel> TGameChannel::Create() {
  auto gameChannel = std::make_shared<TGameChannel>();
  gameChannel->Channel = platform::audio::Channel::Allocate();
  return gameChannel;
}

void TGameChannel::Kill() {
  if (Channel) Channel->Stop();
  Channel.reset();
}

bool TGameChannel::Playing() const { return Channel && Channel->Playing(); }
