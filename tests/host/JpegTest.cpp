#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "forms/Jpeg.h"

namespace {

std::vector<unsigned char> ReadPicture(const std::string& name)
{
    std::ifstream file(std::string(QUORVEL_PICTURES) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

int Channel(uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

} // namespace

TEST(Jpeg, DecodesThePicturesAtTheirNaturalSize)
{
    for (const auto& [name, width, height] :
         {std::tuple{"search-background.jpg", 422, 226}, std::tuple{"examples-banner.jpg", 143, 62}}) {
        const auto bytes = ReadPicture(name);
        ASSERT_FALSE(bytes.empty()) << name;
        DecodedImage image;
        ASSERT_TRUE(DecodeBaselineJpeg(bytes.data(), bytes.size(), image)) << name;
        EXPECT_EQ(image.Width, width);
        EXPECT_EQ(image.Height, height);
        EXPECT_EQ(image.Pixels.size(), static_cast<size_t>(width * height));
    }
}

TEST(Jpeg, ColoursComeOutWhereTheyWereDrawn)
{
    const auto bytes = ReadPicture("search-background.jpg");
    DecodedImage image;
    ASSERT_TRUE(DecodeBaselineJpeg(bytes.data(), bytes.size(), image));
    // The pale band behind the search row is nearly white; the speaker at the right is blue.
    const uint32_t band = image.Pixels[150 * 422 + 200];
    EXPECT_GT(Channel(band, 16), 225);
    EXPECT_GT(Channel(band, 8), 225);
    EXPECT_GT(Channel(band, 0), 225);
    const uint32_t speaker = image.Pixels[62 * 422 + 360];
    EXPECT_LT(Channel(speaker, 16), 100);
    EXPECT_GT(Channel(speaker, 0), 120);
}

TEST(Jpeg, RefusesWhatIsNotABaselineJpeg)
{
    DecodedImage image;
    const unsigned char empty[1] = {0};
    EXPECT_FALSE(DecodeBaselineJpeg(empty, 0, image));
    const unsigned char png[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    EXPECT_FALSE(DecodeBaselineJpeg(png, sizeof(png), image));

    auto bytes = ReadPicture("examples-banner.jpg");
    for (size_t at = 2; at + 1 < bytes.size(); ++at) {
        if (bytes[at] == 0xFF && bytes[at + 1] == 0xC0) {
            bytes[at + 1] = 0xC2; // a progressive frame
            break;
        }
    }
    EXPECT_FALSE(DecodeBaselineJpeg(bytes.data(), bytes.size(), image));

    // Cut short anywhere, it fails or decodes what is there, never reading past the end.
    const auto whole = ReadPicture("examples-banner.jpg");
    for (size_t length = 0; length < whole.size(); length += 97) {
        const std::vector<unsigned char> cut(whole.begin(), whole.begin() + static_cast<long>(length));
        DecodedImage partial;
        DecodeBaselineJpeg(cut.data(), cut.size(), partial);
    }
}
