#include "forms/Picture.h"

#include <cstring>
#include <vector>

#include "forms/Jpeg.h"
#include "forms/Resample.h"
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

} // namespace

ScopedGdiObject PictureOfSize(const EmbeddedData& jpeg, int width, int height)
{
    // Our own decoder: the platform's (OLE, WIC, GDI+) each load codec libraries first, which
    // costs the first window more than the decoding itself.
    DecodedImage image;
    if (!DecodeBaselineJpeg(jpeg.Bytes, jpeg.Size, image))
        return {};
    if (image.Width != width || image.Height != height) // at 96 DPI the pictures fit as they are
        image = Resample(image, width, height);
    if (image.Pixels.empty())
        return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = image.Width;
    info.bmiHeader.biHeight = -image.Height; // top-down, as decoded
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    ScopedGdiObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bits)
        std::memcpy(bits, image.Pixels.data(), image.Pixels.size() * sizeof(uint32_t));
    return bitmap;
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
