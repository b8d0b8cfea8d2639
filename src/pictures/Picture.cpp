#include "pictures/Picture.h"

#include <cstring>
#include <vector>

#include "pictures/DarkRendering.h"
#include "pictures/Jpeg.h"
#include "pictures/Resample.h"
#include "resources/EmbeddedData.h"

namespace {

// The first image of an .ico or .cur file: its DIB and (for a cursor) hot spot.
struct FileImage {
    const unsigned char* Dib = nullptr;
    DWORD DibSize = 0;
    WORD HotX = 0, HotY = 0;
};

FileImage FirstImage(const EmbeddedData& file)
{
    FileImage image;
    if (file.Size < 6 + 16)
        return image;
    const unsigned char* entry = file.Bytes + 6;
    DWORD size, offset;
    std::memcpy(&size, entry + 8, 4);
    std::memcpy(&offset, entry + 12, 4);
    if (offset > file.Size || size > file.Size - offset)
        return image;
    std::memcpy(&image.HotX, entry + 4, 2); // planes in an .ico, hot spot in a .cur
    std::memcpy(&image.HotY, entry + 6, 2);
    image.Dib = file.Bytes + offset;
    image.DibSize = size;
    return image;
}

// A top-down 32-bit bitmap whose bits the program writes itself.
ScopedGdiObject TopDownBitmap(int width, int height, uint32_t*& bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down, as decoded
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    ScopedGdiObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    bits = static_cast<uint32_t*>(memory);
    return bitmap;
}

struct Drawing {
    int Width = 0, Height = 0;
    int DecodedWidth = 0, DecodedHeight = 0;
    uint32_t* Bits = nullptr; // the decoded pixels, wherever they went
    ScopedGdiObject Bitmap; // decoded straight into, when the picture fits its box as it is
    DecodedImage Image;     // else decoded here, then resampled
};

} // namespace

ScopedGdiObject PictureOfSize(const EmbeddedData& jpeg, int width, int height, bool dark)
{
    // Our own decoder: the platform's (OLE, WIC, GDI+) each load codec libraries first, which
    // costs the first window more than the decoding itself.
    Drawing drawing;
    drawing.Width = width, drawing.Height = height;
    const PixelTarget target = [](int decodedWidth, int decodedHeight, void* context) -> uint32_t* {
        auto& d = *static_cast<Drawing*>(context);
        d.DecodedWidth = decodedWidth, d.DecodedHeight = decodedHeight;
        uint32_t*& bits = d.Bits;
        if (decodedWidth == d.Width && decodedHeight == d.Height) { // at 96 DPI the pictures fit as they are
            d.Bitmap = TopDownBitmap(decodedWidth, decodedHeight, bits);
        } else {
            d.Image = {decodedWidth, decodedHeight,
                       std::vector<uint32_t>(static_cast<size_t>(decodedWidth) * static_cast<size_t>(decodedHeight))};
            bits = d.Image.Pixels.data();
        }
        return bits;
    };
    if (!DecodeBaselineJpeg(jpeg.Bytes, jpeg.Size, target, &drawing))
        return {};
    if (dark)
        ToDarkRendering(drawing.Bits, static_cast<size_t>(drawing.DecodedWidth) * static_cast<size_t>(drawing.DecodedHeight));
    if (drawing.Bitmap)
        return std::move(drawing.Bitmap);
    const DecodedImage image = Resample(drawing.Image, width, height);
    uint32_t* bits = nullptr;
    ScopedGdiObject bitmap = image.Pixels.empty() ? ScopedGdiObject() : TopDownBitmap(image.Width, image.Height, bits);
    if (bits)
        std::memcpy(bits, image.Pixels.data(), image.Pixels.size() * sizeof(uint32_t));
    return bitmap;
}

COLORREF AverageColour(HBITMAP picture, RECT area)
{
    DIBSECTION dib{};
    if (!GetObjectW(picture, sizeof(dib), &dib) || !dib.dsBm.bmBits)
        return RGB(0, 0, 0);
    const RECT whole{0, 0, dib.dsBm.bmWidth, dib.dsBm.bmHeight};
    IntersectRect(&area, &area, &whole);
    uint64_t sums[3] = {};
    const auto* bits = static_cast<const uint32_t*>(dib.dsBm.bmBits); // top-down, 0x00RRGGBB
    for (LONG y = area.top; y < area.bottom; ++y)
        for (LONG x = area.left; x < area.right; ++x)
            for (int channel = 0; channel < 3; ++channel)
                sums[channel] += bits[y * dib.dsBm.bmWidth + x] >> (8 * channel) & 0xFF;
    const uint64_t count = static_cast<uint64_t>(area.right - area.left) * static_cast<uint64_t>(area.bottom - area.top);
    if (count == 0)
        return RGB(0, 0, 0);
    return RGB(sums[2] / count, sums[1] / count, sums[0] / count);
}

ScopedIcon IconFromIcoFile(const EmbeddedData& ico, int size)
{
    const FileImage image = FirstImage(ico);
    if (!image.Dib)
        return {};
    return ScopedIcon(CreateIconFromResourceEx(const_cast<PBYTE>(image.Dib), image.DibSize, TRUE, 0x00030000, size,
                                               size, LR_DEFAULTCOLOR));
}

ScopedCursor CursorFromCurFile(const EmbeddedData& cur, int size)
{
    const FileImage image = FirstImage(cur);
    if (!image.Dib)
        return {};
    // A cursor resource is the hot spot followed by the image; the system scales both.
    std::vector<unsigned char> resource(4 + image.DibSize);
    std::memcpy(resource.data(), &image.HotX, 2);
    std::memcpy(resource.data() + 2, &image.HotY, 2);
    std::memcpy(resource.data() + 4, image.Dib, image.DibSize);
    return ScopedCursor(CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()), FALSE,
                                                 0x00030000, size, size, LR_DEFAULTCOLOR));
}
