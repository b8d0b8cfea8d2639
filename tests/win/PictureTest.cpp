// The program's own JPEG decoding against the platform's (OleLoadPicture), pixel by pixel.
#include <ole2.h>
#include <olectl.h>

#include <cstring>

#include <gtest/gtest.h>

#include "forms/Jpeg.h"
#include "resources/EmbeddedData.h"

namespace {

std::vector<uint32_t> PlatformDecode(const EmbeddedData& jpeg, int& width, int& height)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, jpeg.Size);
    std::memcpy(GlobalLock(memory), jpeg.Bytes, jpeg.Size);
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(memory, TRUE, &stream);
    IPicture* picture = nullptr;
    OleLoadPicture(stream, static_cast<LONG>(jpeg.Size), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
    stream->Release();
    if (!picture)
        return {};
    OLE_HANDLE handle = 0;
    picture->get_Handle(&handle);
    BITMAP info{};
    const auto bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    GetObjectW(bitmap, sizeof(info), &info);
    width = info.bmWidth, height = info.bmHeight;
    BITMAPINFO request{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB}};
    std::vector<uint32_t> pixels(static_cast<size_t>(width * height));
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    picture->Release();
    return pixels;
}

} // namespace

TEST(Pictures, OwnDecodingMatchesThePlatformsDecoder)
{
    for (const EmbeddedData* jpeg : {&SearchBackgroundJpeg, &ExamplesBannerJpeg}) {
        DecodedImage ours;
        ASSERT_TRUE(DecodeBaselineJpeg(jpeg->Bytes, jpeg->Size, ours));
        int width = 0, height = 0;
        const std::vector<uint32_t> theirs = PlatformDecode(*jpeg, width, height);
        ASSERT_EQ(ours.Width, width);
        ASSERT_EQ(ours.Height, height);
        // Decoders differ only in rounding and in how they smooth subsampled colour.
        double total = 0;
        int worst = 0;
        for (size_t i = 0; i < theirs.size(); ++i)
            for (int shift : {0, 8, 16}) {
                const int difference =
                    std::abs(int((ours.Pixels[i] >> shift) & 0xFF) - int((theirs[i] >> shift) & 0xFF));
                total += difference;
                worst = std::max(worst, difference);
            }
        EXPECT_LT(total / (3.0 * double(theirs.size())), 2.5);
        EXPECT_LT(worst, 96);
    }
}
