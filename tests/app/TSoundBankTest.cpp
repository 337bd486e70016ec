#include "AudioTestGame.h"
#include "support/ThrowingErrorHandler.h"

using SoundBank = AudioGameTest;

TEST_F(SoundBank, StoresUpperCaseNamesWithTheDefaultExtension) {
  Tone("buttonclick.wav", 0.1);
  Tone("Bonus.WAV", 0.1);
  TSoundBank bank;
  bank.SetPath(folder.Path().substr(0, folder.Path().size() - 1)); // the slash is added
  EXPECT_EQ(bank.Path, folder.Path());
  auto click = bank.Load("buttonclick", 1.0f, 1.0f);
  EXPECT_EQ(click->name, "BUTTONCLICK");
  EXPECT_EQ(bank.Find("ButtonClick"), click);
  // Found whatever the case of the file; the name comes from the file name asked for.
  auto bonus = bank.Load("bonus.wav", 0.5f, 0.7f);
  EXPECT_EQ(bonus->name, "BONUS");
  EXPECT_FLOAT_EQ(bonus->pitch, 0.5f);
  EXPECT_FLOAT_EQ(bonus->volume, 0.7f);
  auto keyed = bank.Load("buttonclick", 1.0f, 1.0f, "press");
  EXPECT_EQ(bank.Find("PRESS"), keyed);
  EXPECT_EQ(bank.Count(), 3u);
  EXPECT_TRUE(bank.Contains("bonus"));
}

TEST_F(SoundBank, MissingNamesAndFilesAreFatal) {
  test_support::ThrowingErrorHandler throwing;
  TSoundBank bank;
  bank.SetPath(folder.Path());
  try {
    bank.Find("swish");
    FAIL();
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "Sound 'SWISH' was not found in the SoundBank");
  }
  try {
    bank.Load("hint1", 1.0f, 1.0f);
    FAIL();
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "Error loading sample " + folder.File("hint1.wav"));
  }
  folder.Write("invalid.wav", "RIFF\x10\0\0\0WAVEdata");
  EXPECT_THROW(bank.Load("invalid", 1.0f, 1.0f), std::runtime_error);
  EXPECT_EQ(bank.Count(), 0u);
}

TEST_F(SoundBank, PlayInChannelGoesThroughTheEffectStrand) {
  auto sound = TGameSound::Create(Tone("swish.wav", 1.0), 0);
  sound->volume = 0.5f;
  game.SoundSetVolume(60, 0);
  ChannelRef channel;
  EXPECT_EQ(sound->PlayInChannel(channel, 0.25f), 1);
  ASSERT_TRUE(channel);
  EXPECT_TRUE(channel->Playing());
  EXPECT_FLOAT_EQ(channel->Volume(), 0.3f);
  EXPECT_FLOAT_EQ(channel->Pan(), 0.25f);
}
