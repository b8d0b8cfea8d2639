// The program's own JPEG decoding against the platform's (OleLoadPicture), pixel by pixel.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "forms/Picture.h"
#include "resources/EmbeddedData.h"

namespace {

std::vector<uint32_t> PixelsOf(HBITMAP bitmap, int& width, int& height)
{
    BITMAP info{};
    GetObjectW(bitmap, sizeof(info), &info);
    width = info.bmWidth;
    height = info.bmHeight;
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof(request.bmiHeader);
    request.bmiHeader.biWidth = width;
    request.bmiHeader.biHeight = -height;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(width * height));
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::vector<uint32_t> PlatformDecode(const EmbeddedData& jpeg, int& width, int& height)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, jpeg.Size);
    std::memcpy(GlobalLock(memory), jpeg.Bytes, jpeg.Size);
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(memory, TRUE, &stream);
    IPicture* picture = nullptr;
    OleLoadPicture(stream, static_cast<LONG>(jpeg.Size), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
    std::vector<uint32_t> pixels;
    if (picture) {
        OLE_HANDLE handle = 0;
        picture->get_Handle(&handle);
        pixels = PixelsOf(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), width, height);
        picture->Release();
    }
    stream->Release();
    return pixels;
}

} // namespace

TEST(Pictures, OwnDecodingMatchesThePlatformsDecoder)
{
    for (const EmbeddedData* jpeg : {&SearchBackgroundJpeg, &ExamplesBannerJpeg}) {
        int width = 0, height = 0, platformWidth = 0, platformHeight = 0;
        ScopedGdiObject ours = DecodeJpeg(*jpeg);
        ASSERT_TRUE(ours);
        const auto mine = PixelsOf(static_cast<HBITMAP>(ours.Get()), width, height);
        const auto theirs = PlatformDecode(*jpeg, platformWidth, platformHeight);
        ASSERT_EQ(width, platformWidth);
        ASSERT_EQ(height, platformHeight);
        ASSERT_EQ(mine.size(), theirs.size());
        // Decoders differ only in rounding and in how they smooth subsampled colour.
        double total = 0;
        int worst = 0;
        for (size_t i = 0; i < mine.size(); ++i)
            for (int shift : {0, 8, 16}) {
                const int difference = std::abs(static_cast<int>((mine[i] >> shift) & 0xFF) -
                                                static_cast<int>((theirs[i] >> shift) & 0xFF));
                total += difference;
                worst = std::max(worst, difference);
            }
        const double mean = total / (3.0 * static_cast<double>(mine.size()));
        std::printf("%dx%d: mean difference %.2f, largest %d\n", width, height, mean, worst);
        EXPECT_LT(mean, 2.5);
        EXPECT_LT(worst, 96);
    }
}
