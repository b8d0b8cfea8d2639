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
        double total = 0; // decoders differ only in rounding and in how they smooth subsampled colour
        int worst = 0;
        for (size_t i = 0; i < theirs.size() * 3; ++i) {
            const int shift = int(i % 3) * 8, pixel = int(i / 3);
            const int difference = std::abs(int(ours.Pixels[pixel] >> shift & 0xFF) - int(theirs[pixel] >> shift & 0xFF));
            total += difference, worst = std::max(worst, difference);
        }
        EXPECT_LT(total / (3.0 * double(theirs.size())), 2.5);
        EXPECT_LT(worst, 96);
    }
}
