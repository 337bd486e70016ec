#include "AudioTestGame.h"
#include "app/TAmbientSounds.h"
#include "app/TChannelArray.h"

using ChannelPool = AudioGameTest;

namespace {
// Keeps a channel busy with a looping sound.
void Occupy(const std::shared_ptr<TGameChannel>& gameChannel, const SoundRef& sound) { gameChannel->Channel->Play(sound); }
} // namespace

TEST_F(ChannelPool, HandsChannelsOutInTurn) {
  game.ChannelsCreate(16);
  auto& pool = *game.Channels;
  ASSERT_EQ(pool.Count(), 16u);
  EXPECT_EQ(pool.Current, pool.ChannelByIndex(16));
  EXPECT_EQ(pool.ChannelByIndex(0), nullptr);
  EXPECT_EQ(pool.ChannelByIndex(17), nullptr);
  for (int i = 1; i <= 16; ++i) EXPECT_EQ(pool.GetChannel(), pool.ChannelByIndex(i)) << i;
  EXPECT_EQ(pool.GetChannel(), pool.ChannelByIndex(1)); // round again
}

TEST_F(ChannelPool, SkipsReservedAndBusyAndDropsTheSeventeenthEffect) {
  auto loop = TGameSound::Create(Tone("hum.wav", 0.2), SOUND_LOOP);
  game.ChannelsCreate(16);
  auto& pool = *game.Channels;
  pool.ChannelByIndex(1)->Reserved = 1;
  Occupy(pool.ChannelByIndex(2), loop->sound);
  EXPECT_EQ(pool.GetChannel(), pool.ChannelByIndex(3));
  // A busy channel that need not finish first is handed out anyway.
  pool.ChannelByIndex(4)->PlayWhenFinished = 0;
  Occupy(pool.ChannelByIndex(4), loop->sound);
  EXPECT_EQ(pool.GetChannel(), pool.ChannelByIndex(4));
  pool.ChannelByIndex(1)->Reserved = 0;
  pool.ChannelByIndex(4)->PlayWhenFinished = 1;
  pool.ChannelByIndex(2)->Channel->Stop();
  pool.ChannelByIndex(4)->Channel->Stop();

  pool.Current = pool.ChannelByIndex(16);
  for (int i = 1; i <= 16; ++i) {
    auto played = pool.PlayGameSound(loop, nullptr, 1.0f, 0.0f);
    ASSERT_TRUE(played) << i;
  }
  EXPECT_EQ(pool.CountPlaying(), 16);
  EXPECT_EQ(pool.GetChannel(), nullptr);
  EXPECT_EQ(pool.PlayGameSound(loop, nullptr, 1.0f, 0.0f), nullptr);
  // Only the channel handed out last is free: it is not examined again.
  pool.Current->Channel->Stop();
  EXPECT_EQ(pool.GetChannel(), nullptr);
}

TEST_F(ChannelPool, BalancesVolumesWithoutChangingTheSharedSound) {
  auto loop = TGameSound::Create(Tone("hum.wav", 0.2), SOUND_LOOP);
  loop->volume = 0.9f;
  game.SoundSetVolume(50, 0);
  game.ChannelsCreate(8);
  auto& pool = *game.Channels;
  pool.MaxVol = 2.0f;
  EXPECT_FLOAT_EQ(pool.BalanceVolumes(0), 1.0f); // nothing playing
  auto first = pool.PlayGameSound(loop, nullptr, 1.0f, 0.0f);
  auto second = pool.PlayGameSound(loop, nullptr, 0.5f, 0.0f);
  EXPECT_FLOAT_EQ(second->OriginalVolume, 0.5f);
  EXPECT_FLOAT_EQ(second->Channel->Volume(), 0.25f); // 2 voices: factor 1
  pool.PlayGameSound(loop, nullptr, 1.0f, 0.0f);     // 3 voices: factor 2/3
  EXPECT_NEAR(first->Channel->Volume(), 0.5f * 2.0f / 3.0f, 1e-5);
  EXPECT_NEAR(second->Channel->Volume(), 0.25f * 2.0f / 3.0f, 1e-5);
  EXPECT_FLOAT_EQ(loop->volume, 0.9f);
  pool.ChannelByIndex(2)->Channel->Stop();
  pool.Manage(); // two left: back to full
  EXPECT_FLOAT_EQ(first->Channel->Volume(), 0.5f);
}

TEST_F(ChannelPool, StopGameChannelReplacesItAtTheEnd) {
  auto loop = TGameSound::Create(Tone("hum.wav", 0.2), SOUND_LOOP);
  game.ChannelsCreate(3);
  auto& pool = *game.Channels;
  auto victim = pool.PlayGameSound(loop, nullptr, 1.0f, 0.0f);
  auto victimChannel = victim->Channel;
  pool.StopGameChannel(victim);
  EXPECT_EQ(pool.Count(), 3u);
  EXPECT_FALSE(victimChannel->Playing());
  EXPECT_EQ(pool.Current, pool.ChannelByIndex(3));
  EXPECT_NE(pool.Current, victim);
  EXPECT_EQ(std::find(pool.Items.begin(), pool.Items.end(), victim), pool.Items.end());
  game.ChannelsKill();
  EXPECT_EQ(game.Channels, nullptr);
}

TEST_F(ChannelPool, AmbientSoundsRollOnTheirCounter) {
  Tone("bird0.wav", 1.0);
  Tone("bird1.wav", 1.0);
  game.ChannelsCreate(4);
  TAmbientSounds ambient;
  ambient.Fill(folder.Path() + "bird", 2, ".wav");
  EXPECT_EQ(ambient.TotalSounds, 2);
  ambient.Init(50, 100); // a roll every 10 ticks, always a hit
  EXPECT_EQ(ambient.SoundCounterMax, 10);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(ambient.Manage(), 0);
  EXPECT_EQ(ambient.Manage(), 1);
  EXPECT_EQ(game.Channels->CountPlaying(), 1);
  EXPECT_FLOAT_EQ(ambient.SoundCounter, 10.0f);

  ambient.Init(50, 0); // never
  int played = 0;
  for (int i = 0; i < 200; ++i) played += ambient.Manage();
  EXPECT_EQ(played, 0);
  ambient.Kill();
  EXPECT_EQ(ambient.TotalSounds, 0);
}
