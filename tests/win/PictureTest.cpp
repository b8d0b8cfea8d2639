// The program's own JPEG decoding against the platform's (OleLoadPicture), pixel by pixel.
#include <olectl.h>

#include <gtest/gtest.h>

#include "forms/Jpeg.h"
#include "resources/EmbeddedData.h"

TEST(Pictures, OwnDecodingMatchesThePlatformsDecoder)
{
    for (const EmbeddedData* jpeg : {&SearchBackgroundJpeg, &ExamplesBannerJpeg}) {
        HGLOBAL memory = GlobalAlloc(GMEM_FIXED, jpeg->Size);
        CopyMemory(memory, jpeg->Bytes, jpeg->Size);
        IStream* stream = nullptr;
        IPicture* picture = nullptr;
        CreateStreamOnHGlobal(memory, TRUE, &stream);
        OleLoadPicture(stream, LONG(jpeg->Size), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
        OLE_HANDLE handle = 0;
        picture->get_Handle(&handle);
        DecodedImage ours;
        ASSERT_TRUE(DecodeBaselineJpeg(jpeg->Bytes, jpeg->Size, ours));
        BITMAPINFO request{{sizeof(BITMAPINFOHEADER), ours.Width, -ours.Height, 1, 32, BI_RGB}};
        std::vector<uint32_t> theirs(ours.Pixels.size());
        HDC screen = GetDC(nullptr);
        const auto bitmap = HBITMAP(UINT_PTR(handle));
        EXPECT_EQ(GetDIBits(screen, bitmap, 0, UINT(ours.Height), theirs.data(), &request, 0), ours.Height);
        ReleaseDC(nullptr, screen), picture->Release(), stream->Release();
        // Decoders differ in rounding, and in how they smooth subsampled colour, but not in brightness.
        const auto brightness = [](uint32_t p) { return (77 * int(p >> 16 & 255) + 150 * int(p >> 8 & 255) + 29 * int(p & 255)) >> 8; };
        double total = 0;
        int worstBrightness = 0;
        for (size_t pixel = 0; pixel < theirs.size(); ++pixel) {
            for (int shift = 0; shift < 24; shift += 8)
                total += std::abs(int(ours.Pixels[pixel] >> shift & 0xFF) - int(theirs[pixel] >> shift & 0xFF));
            worstBrightness = std::max(worstBrightness, std::abs(brightness(ours.Pixels[pixel]) - brightness(theirs[pixel])));
        }
        EXPECT_LT(total / (3.0 * double(theirs.size())), 2.5);
        EXPECT_LE(worstBrightness, 6) << "measured 4; a coefficient in the wrong place makes 19 to 24";
    }
}
