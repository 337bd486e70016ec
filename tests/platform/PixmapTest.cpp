#include "platform/Pixmap.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace platform;

namespace {

Pixmap Pattern(int width, int height) {
  Pixmap pixmap;
  pixmap.width = width;
  pixmap.height = height;
  pixmap.rgba.resize(size_t(width) * height * 4);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t* p = pixmap.Pixel(x, y);
      p[0] = uint8_t(x * 8), p[1] = uint8_t(y * 8), p[2] = uint8_t((x + y) * 4), p[3] = uint8_t(x * 255 / (width - 1));
    }
  return pixmap;
}

std::vector<uint8_t> Png(const Pixmap& pixmap) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(EncodePng(pixmap, bytes));
  return bytes;
}

// PNG chunk CRC, so a test can build a well-formed header with any size.
uint32_t Crc(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

void PutBigEndian(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(value >> (24 - 8 * i));
}

TEST(PixmapTest, PngRoundTripKeepsEveryChannelIncludingAlpha) {
  Pixmap original = Pattern(32, 20);
  Pixmap decoded;
  std::vector<uint8_t> bytes = Png(original);
  ASSERT_TRUE(DecodePicture(bytes.data(), bytes.size(), decoded));
  EXPECT_EQ(decoded.width, 32);
  EXPECT_EQ(decoded.height, 20);
  EXPECT_EQ(decoded.rgba, original.rgba);
  EXPECT_EQ(decoded.Pixel(0, 0)[3], 0);
  EXPECT_EQ(decoded.Pixel(31, 5)[3], 255);
}

TEST(PixmapTest, JpegDecodesToOpaquePixelsCloseToTheOriginal) {
  Pixmap original = Pattern(40, 24);
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(EncodeJpeg(original, bytes, 95));
  Pixmap decoded;
  std::string error;
  ASSERT_TRUE(DecodePicture(bytes.data(), bytes.size(), decoded, &error)) << error;
  ASSERT_EQ(decoded.width, 40);
  ASSERT_EQ(decoded.height, 24);
  // Lossy, so compare on average: swapped or shifted channels would be far off.
  double total = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 40; ++x) {
      EXPECT_EQ(decoded.Pixel(x, y)[3], 255);
      for (int c = 0; c < 3; ++c) total += std::abs(decoded.Pixel(x, y)[c] - original.Pixel(x, y)[c]);
    }
  EXPECT_LT(total / (24 * 40 * 3), 8.0);
}

TEST(PixmapTest, BrokenDataIsRefusedWithAReason) {
  std::vector<uint8_t> png = Png(Pattern(64, 64));
  std::vector<uint8_t> jpeg;
  ASSERT_TRUE(EncodeJpeg(Pattern(64, 64), jpeg));
  Pixmap out;
  std::string error;

  // Cut short at many places: never a crash, always an error.
  for (size_t cut : {size_t(4), size_t(20), size_t(40), png.size() / 2, png.size() - 13}) {
    error.clear();
    EXPECT_FALSE(DecodePicture(png.data(), cut, out, &error)) << "PNG cut at " << cut;
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(out.Empty());
  }
  for (size_t cut : {size_t(3), size_t(30), jpeg.size() / 2, jpeg.size() - 10}) {
    error.clear();
    EXPECT_FALSE(DecodePicture(jpeg.data(), cut, out, &error)) << "JPEG cut at " << cut;
    EXPECT_FALSE(error.empty());
  }
  // Cut short and closed again with an end marker: the picture data stops
  // early all the same, so it is refused rather than padded with grey.
  std::vector<uint8_t> closed(jpeg.begin(), jpeg.begin() + std::ptrdiff_t(jpeg.size() / 2));
  closed.insert(closed.end(), {0xFF, 0xD9});
  error.clear();
  EXPECT_FALSE(DecodePicture(closed.data(), closed.size(), out, &error));
  EXPECT_EQ(error, "JPEG: unexpected end of data");
  EXPECT_TRUE(out.Empty());
  // A chunk that claims more bytes than the file holds is refused before
  // anything is read into it (a text chunk claiming 1.5 GiB, as fuzzing found).
  std::vector<uint8_t> claims = png;
  const uint8_t text[] = {0x60, 0x00, 0x00, 0x25, 't', 'E', 'X', 't', 'd', 'a', 't', 'e', 0};
  claims.insert(claims.begin() + 33, std::begin(text), std::end(text)); // after the header chunk
  error.clear();
  EXPECT_FALSE(DecodePicture(claims.data(), claims.size(), out, &error));
  EXPECT_EQ(error, "PNG: a chunk runs past the end of the data");
  // Damaged bytes in the middle of the PNG fail its checksums.
  std::vector<uint8_t> damaged = png;
  for (size_t i = damaged.size() / 2; i < damaged.size() / 2 + 16; ++i) damaged[i] ^= 0x5A;
  EXPECT_FALSE(DecodePicture(damaged.data(), damaged.size(), out, &error));
  // Not a picture at all, and nothing.
  const uint8_t words[] = "hello, this is not a picture";
  EXPECT_FALSE(DecodePicture(words, sizeof(words), out, &error));
  EXPECT_FALSE(DecodePicture(nullptr, 0, out, &error));
}

TEST(PixmapTest, OversizedPicturesAreRefusedBeforeDecoding) {
  std::vector<uint8_t> png = Png(Pattern(8, 8));
  // IHDR width and height sit at bytes 16..23, its CRC at 29..32.
  for (uint32_t side : {uint32_t(MaxPictureSide + 1), uint32_t(100000), uint32_t(0x7FFFFFFF)}) {
    std::vector<uint8_t> huge = png;
    PutBigEndian(huge, 16, side);
    PutBigEndian(huge, 20, 4);
    PutBigEndian(huge, 29, Crc(&huge[12], 17));
    Pixmap out;
    std::string error;
    EXPECT_FALSE(DecodePicture(huge.data(), huge.size(), out, &error)) << side;
    EXPECT_FALSE(error.empty());
  }
}

TEST(PixmapTest, MaskColourClearsExactlyMatchingPixels) {
  Pixmap pixmap;
  pixmap.width = 3;
  pixmap.height = 1;
  pixmap.rgba = {255, 0, 255, 255, 254, 0, 255, 255, 0, 0, 0, 255};
  ApplyMask(pixmap, 255, 0, 255);
  EXPECT_EQ(pixmap.Pixel(0, 0)[3], 0);
  EXPECT_EQ(pixmap.Pixel(1, 0)[3], 255); // one step off is kept
  EXPECT_EQ(pixmap.Pixel(2, 0)[3], 255);

  int r, g, b;
  SetMaskColor(255, 0, 255);
  GetMaskColor(r, g, b);
  EXPECT_EQ(r * 65536 + g * 256 + b, 0xFF00FF);
  SetMaskColor(0, 0, 0);
}

TEST(PixmapTest, LoadsFilesWhateverTheCaseOfTheirName) {
  test_support::TempFolder folder;
  std::vector<uint8_t> png = Png(Pattern(8, 4));
  folder.Write("Graphics/ButtonMO.png", std::string(png.begin(), png.end()));
  Pixmap out;
  EXPECT_TRUE(LoadPixmap(folder.Path() + "graphics/buttonmo.PNG", out));
  EXPECT_EQ(out.width, 8);
  std::string error;
  EXPECT_FALSE(LoadPixmap(folder.Path() + "graphics/missing.png", out, &error));
  EXPECT_FALSE(error.empty());
}

TEST(PixmapTest, SavedPngReadsBack) {
  test_support::TempFolder folder;
  Pixmap original = Pattern(16, 16);
  ASSERT_TRUE(SavePng(original, folder.File("shot.png")));
  Pixmap loaded;
  ASSERT_TRUE(LoadPixmap(folder.File("shot.png"), loaded));
  EXPECT_EQ(loaded.rgba, original.rgba);
  EXPECT_FALSE(SavePng(Pixmap(), folder.File("empty.png")));
}

// The pictures decoders' fuzzing seeds (fuzz/corpus/png_reader, jpeg_reader)
// are the forms other programs write: 16-bit, palette, grey, interlaced PNG;
// grey, progressive, subsampled JPEG. Each decodes to the size in its name
// ("rgba-5x3.png" is 5 x 3), fully opaque unless it has alpha.
TEST(PixmapTest, FuzzingSeedsOfEveryFormDecodeToTheirSize) {
  int seeds = 0;
  for (const char* corpus : {"png_reader", "jpeg_reader"}) {
    for (const auto& entry : std::filesystem::directory_iterator(test_support::SourcePath("fuzz/corpus/") + corpus)) {
      const std::string name = entry.path().filename().string();
      SCOPED_TRACE(name);
      std::ifstream in(entry.path(), std::ios::binary);
      const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      int width = 0, height = 0;
      ASSERT_EQ(std::sscanf(name.substr(name.rfind('-') + 1).c_str(), "%dx%d", &width, &height), 2);
      Pixmap pixmap;
      std::string error;
      ASSERT_TRUE(DecodePicture(bytes.data(), bytes.size(), pixmap, &error)) << error;
      EXPECT_EQ(pixmap.width, width);
      EXPECT_EQ(pixmap.height, height);
      if (name.rfind("rgba", 0) != 0) {
        EXPECT_EQ(pixmap.Pixel(width - 1, height - 1)[3], 255);
      }
      ++seeds;
    }
  }
  EXPECT_GE(seeds, 9);
}

} // namespace
