#include "forms/Picture.h"

#include <ole2.h>
#include <olectl.h>

#include <cstring>
#include <vector>

#include "resources/EmbeddedData.h"

namespace {

template <typename Interface>
struct ComRelease {
    Interface* Pointer = nullptr;
    ~ComRelease()
    {
        if (Pointer)
            Pointer->Release();
    }
};

// ICONDIR and ICONDIRENTRY as the .ico and .cur files lay them out.
struct FileImage {
    const unsigned char* Dib = nullptr;
    DWORD DibSize = 0;
    WORD HotX = 0, HotY = 0;
    int Width = 0, Height = 0;
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
    image.Width = entry[0] ? entry[0] : 256;
    image.Height = entry[1] ? entry[1] : 256;
    std::memcpy(&image.HotX, entry + 4, 2); // planes in an .ico, hot spot in a .cur
    std::memcpy(&image.HotY, entry + 6, 2);
    image.Dib = file.Bytes + offset;
    image.DibSize = size;
    return image;
}

} // namespace

ScopedGdiObject DecodeJpeg(const EmbeddedData& jpeg)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, jpeg.Size);
    if (!memory)
        return {};
    std::memcpy(GlobalLock(memory), jpeg.Bytes, jpeg.Size);
    GlobalUnlock(memory);

    ComRelease<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream.Pointer))) {
        GlobalFree(memory);
        return {};
    }
    ComRelease<IPicture> picture;
    if (FAILED(OleLoadPicture(stream.Pointer, static_cast<LONG>(jpeg.Size), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&picture.Pointer))))
        return {};
    OLE_HANDLE handle = 0;
    if (FAILED(picture.Pointer->get_Handle(&handle)))
        return {};
    // The picture object owns its bitmap; keep a copy of our own and let the object go.
    return ScopedGdiObject(CopyImage(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0, 0));
}

ScopedIcon IconFromIcoFile(const EmbeddedData& ico)
{
    const FileImage image = FirstImage(ico);
    if (!image.Dib)
        return {};
    return ScopedIcon(CreateIconFromResourceEx(const_cast<PBYTE>(image.Dib), image.DibSize, TRUE, 0x00030000,
                                               image.Width, image.Height, LR_DEFAULTCOLOR));
}

ScopedCursor CursorFromCurFile(const EmbeddedData& cur)
{
    const FileImage image = FirstImage(cur);
    if (!image.Dib)
        return {};
    // A cursor resource is the hot spot followed by the image.
    std::vector<unsigned char> resource(4 + image.DibSize);
    std::memcpy(resource.data(), &image.HotX, 2);
    std::memcpy(resource.data() + 2, &image.HotY, 2);
    std::memcpy(resource.data() + 4, image.Dib, image.DibSize);
    return ScopedCursor(CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()), FALSE,
                                                 0x00030000, image.Width, image.Height, LR_DEFAULTCOLOR));
}
