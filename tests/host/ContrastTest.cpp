// Against the contrast ratios the Web Content Accessibility Guidelines publish for common pairs.
#include <gtest/gtest.h>

#include "display/Contrast.h"

TEST(Contrast, AsTheGuidelinesMeasureIt)
{
    constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0, kBlue = 0xFF0000, kRed = 0x0000FF, kGrey76 = 0x767676;
    const std::tuple<uint32_t, uint32_t, double> published[] = {
        {kBlack, kWhite, 21.0}, {kWhite, kBlue, 8.59}, {kRed, kWhite, 4.0}, {kGrey76, kWhite, 4.54}, {0x777777, kWhite, 4.48}};
    for (const auto& [text, background, ratio] : published)
        EXPECT_NEAR(ContrastRatio(text, background), ratio, 0.006) << std::hex << text;
    EXPECT_TRUE(Reads(kGrey76, kWhite, false) && !Reads(0x777777, kWhite, false) && Reads(kRed, kWhite, true));
    const uint32_t candidates[] = {kBlue, 0xFFBF80, kWhite}; // blue, then a light blue, then white
    EXPECT_EQ(FirstReadable(candidates, kBlack, false), 0xFFBF80u) << "the first that reads on black";
    const uint32_t dim[] = {0x202020, 0x404040};
    EXPECT_EQ(FirstReadable(dim, kBlack, false), 0x404040u) << "none reads: the closest";
    // A design colour that does not read is shaded, lighter on a dark background, darker on a light one.
    EXPECT_EQ(ReadableShade(kRed, kWhite, true), kRed);
    for (const auto& [colour, background] : {std::pair{kBlue, 0x202020u}, {0x808080u, 0x202020u}, {0x80FFFFu, kWhite}}) {
        const uint32_t shade = ReadableShade(colour, background, false);
        EXPECT_TRUE(Reads(shade, background, false) && shade != kWhite && shade != kBlack) << std::hex << colour;
    }
}
