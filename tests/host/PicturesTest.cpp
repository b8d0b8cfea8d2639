#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "forms/Jpeg.h"
#include "forms/Resample.h"

TEST(Pictures, TheDecoderRefusesWhatIsNotABaselineJpeg)
{
    std::ifstream file(QUORVEL_PICTURES "/examples-banner.jpg", std::ios::binary);
    std::vector<unsigned char> bytes(std::istreambuf_iterator<char>(file), {});
    const unsigned char png[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    DecodedImage image;
    EXPECT_TRUE(DecodeBaselineJpeg(bytes.data(), bytes.size(), image));
    EXPECT_FALSE(DecodeBaselineJpeg(png, sizeof(png), image));
    std::replace(bytes.begin(), bytes.begin() + 200, 0xC0, 0xC2); // a progressive frame
    EXPECT_FALSE(DecodeBaselineJpeg(bytes.data(), bytes.size(), image));
}

TEST(Pictures, ResampledSmoothlyAndUnchangedAtTheirOwnSize)
{
    const DecodedImage split{2, 1, {0x000000, 0xFFFFFF}};
    EXPECT_EQ(Resample(split, 2, 1).Pixels, split.Pixels);
    const DecodedImage wide = Resample(split, 8, 2);
    ASSERT_EQ(wide.Pixels.size(), 16u);
    for (int x = 1; x < 8; ++x) // a ramp of greys from black to white, never back, in both rows
        EXPECT_TRUE(wide.Pixels[x] >= wide.Pixels[x - 1] && wide.Pixels[x] % 0x10101 == 0 &&
                    wide.Pixels[x + 8] == wide.Pixels[x]);
    EXPECT_TRUE(wide.Pixels[0] + wide.Pixels[7] == 0xFFFFFFu && wide.Pixels[3] != 0);
    EXPECT_TRUE(Resample(split, 0, 5).Height == 0 && Resample({2, 0, {}}, 3, 3).Pixels.empty()); // nothing, not 0 x 5
    const DecodedImage dot = Resample(split, 1, 1); // one pixel is still a picture
    for (const auto& [image, width, height] :
         {std::tuple{dot, 1, 1}, {Resample(dot, 2, 3), 2, 3}, {Resample(split, 8, 1), 8, 1}, {Resample(split, 2, 3), 2, 3}})
        EXPECT_TRUE(image.Width == width && image.Height == height && image.Pixels.size() == size_t(width * height));
}
