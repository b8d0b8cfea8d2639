#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "forms/Jpeg.h"
#include "forms/Resample.h"

namespace {

std::vector<unsigned char> ReadPicture(const char* name)
{
    std::ifstream file(std::string(QUORVEL_PICTURES) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

int Channel(uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

} // namespace

TEST(Jpeg, DecodesThePicturesAtTheirSizeWithTheirColoursWhereTheyWereDrawn)
{
    for (const auto& [name, width, height] : {std::tuple{"search-background.jpg", 422, 226}, {"examples-banner.jpg", 143, 62}}) {
        const auto bytes = ReadPicture(name);
        DecodedImage image;
        ASSERT_TRUE(DecodeBaselineJpeg(bytes.data(), bytes.size(), image)) << name;
        EXPECT_EQ(image.Width, width);
        EXPECT_EQ(image.Height, height);
        EXPECT_EQ(image.Pixels.size(), size_t(width * height));
    }
    const auto bytes = ReadPicture("search-background.jpg");
    DecodedImage image;
    DecodeBaselineJpeg(bytes.data(), bytes.size(), image);
    const uint32_t band = image.Pixels[150 * 422 + 200], speaker = image.Pixels[62 * 422 + 360];
    EXPECT_GT(std::min({Channel(band, 0), Channel(band, 8), Channel(band, 16)}), 225) << "the pale band";
    EXPECT_LT(Channel(speaker, 16), 100) << "the blue speaker";
    EXPECT_GT(Channel(speaker, 0), 120);
}

TEST(Jpeg, RefusesWhatIsNotABaselineJpegAndStopsAtTheEnd)
{
    DecodedImage image;
    const unsigned char png[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    EXPECT_FALSE(DecodeBaselineJpeg(png, 0, image));
    EXPECT_FALSE(DecodeBaselineJpeg(png, sizeof(png), image));
    auto bytes = ReadPicture("examples-banner.jpg");
    const auto whole = bytes;
    for (size_t at = 2; at + 1 < bytes.size(); ++at) {
        if (bytes[at] == 0xFF && bytes[at + 1] == 0xC0) {
            bytes[at + 1] = 0xC2; // a progressive frame
            break;
        }
    }
    EXPECT_FALSE(DecodeBaselineJpeg(bytes.data(), bytes.size(), image));
    for (size_t length = 0; length < whole.size(); length += 97) // the sanitizers watch the reads
        DecodeBaselineJpeg(whole.data(), length, image);
}

TEST(Resample, KeepsAnImageAtItsSizeAndBlendsSmoothlyWhenScaled)
{
    const DecodedImage split{2, 1, {0x000000, 0xFFFFFF}};
    EXPECT_EQ(Resample(split, 2, 1).Pixels, split.Pixels);
    const DecodedImage wide = Resample(split, 8, 2);
    ASSERT_EQ(wide.Pixels.size(), 16u);
    for (int x = 1; x < 8; ++x) // a ramp from black to white, never back
        EXPECT_GE(wide.Pixels[x] & 0xFF, wide.Pixels[x - 1] & 0xFF);
    EXPECT_EQ(wide.Pixels[0], 0x000000u);
    EXPECT_EQ(wide.Pixels[7], 0xFFFFFFu);
    EXPECT_NE(wide.Pixels[3] & 0xFF, 0u) << "in between, a grey";
    EXPECT_EQ(wide.Pixels[8], wide.Pixels[0]) << "rows alike";
    EXPECT_TRUE(Resample(split, 0, 5).Pixels.empty());
}
