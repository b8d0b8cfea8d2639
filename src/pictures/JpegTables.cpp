#include "pictures/JpegTables.h"

#include <algorithm>

const uint8_t kZigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                             12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                             35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                             58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

bool ReadQuantizationTables(const unsigned char* data, size_t length, JpegFrame& frame)
{
    size_t p = 0;
    while (p < length) {
        const int precision = data[p] >> 4, id = data[p] & 15;
        if (precision != 0 || id > 3 || p + 65 > length)
            return false;
        for (int i = 0; i < 64; ++i)
            frame.Quant[static_cast<size_t>(id)][kZigzag[i]] = data[p + 1 + static_cast<size_t>(i)];
        p += 65;
    }
    return true;
}

bool ReadHuffmanTables(const unsigned char* data, size_t length, JpegFrame& frame)
{
    size_t p = 0;
    while (p < length) {
        if (p + 17 > length)
            return false;
        const int kind = data[p] >> 4, id = data[p] & 15;
        if (kind > 1 || id > 3)
            return false;
        HuffmanTable& table = (kind == 0 ? frame.DcTables : frame.AcTables)[static_cast<size_t>(id)];
        int total = 0;
        for (int bits = 1; bits <= 16; ++bits)
            total += data[p + static_cast<size_t>(bits)];
        if (total > 256 || p + 17 + static_cast<size_t>(total) > length)
            return false;
        int code = 0, index = 0;
        for (int bits = 1; bits <= 16; ++bits) {
            const int count = data[p + static_cast<size_t>(bits)];
            table.ValueIndex[static_cast<size_t>(bits)] = index - code;
            code += count;
            index += count;
            table.MaxCode[static_cast<size_t>(bits)] = count ? code - 1 : -1;
            if (code > (1 << bits))
                return false;
            code <<= 1;
        }
        std::copy_n(data + p + 17, total, table.Symbols.begin());
        table.Defined = true;
        p += 17 + static_cast<size_t>(total);
    }
    return true;
}

bool ReadFrameHeader(const unsigned char* data, size_t length, JpegFrame& frame)
{
    if (frame.Defined || length < 6 || data[0] != 8)
        return false;
    frame.Height = Read16(data + 1);
    frame.Width = Read16(data + 3);
    const int count = data[5];
    if (frame.Width <= 0 || frame.Height <= 0 || frame.Width > 1024 || frame.Height > 1024 || (count != 1 && count != 3) ||
        length < 6 + 3 * static_cast<size_t>(count))
        return false;
    for (int i = 0; i < count; ++i) {
        const unsigned char* c = data + 6 + 3 * i;
        Component component;
        component.Id = c[0];
        component.H = c[1] >> 4;
        component.V = c[1] & 15;
        component.Quant = c[2];
        if (component.H < 1 || component.H > 2 || component.V < 1 || component.V > 2 || component.Quant > 3)
            return false;
        // A lone component's scan is not interleaved: one block at a time, in rows over the
        // picture, whatever sampling it declares.
        if (count == 1)
            component.H = component.V = 1;
        frame.HMax = std::max(frame.HMax, component.H);
        frame.VMax = std::max(frame.VMax, component.V);
        frame.Components.push_back(component);
    }
    const int mcusWide = (frame.Width + 8 * frame.HMax - 1) / (8 * frame.HMax);
    const int mcusHigh = (frame.Height + 8 * frame.VMax - 1) / (8 * frame.VMax);
    for (Component& component : frame.Components) {
        component.BlocksWide = mcusWide * component.H;
        component.BlocksHigh = mcusHigh * component.V;
        component.Samples.assign(
            static_cast<size_t>(component.BlocksWide) * 8 * static_cast<size_t>(component.BlocksHigh) * 8, 0);
    }
    frame.Defined = true;
    return true;
}

bool ReadRestartInterval(const unsigned char* data, size_t length, JpegFrame& frame)
{
    if (length != 2)
        return false;
    frame.RestartInterval = Read16(data);
    return true;
}

bool ReadScanHeader(const unsigned char* data, size_t length, JpegFrame& frame)
{
    if (!frame.Defined || length < 1)
        return false;
    const size_t count = data[0];
    if (count != frame.Components.size() || length != 1 + 2 * count + 3)
        return false;
    for (size_t i = 0; i < count; ++i) {
        const int id = data[1 + 2 * i], tables = data[2 + 2 * i];
        Component& component = frame.Components[i];
        if (component.Id != id)
            return false;
        component.Dc = tables >> 4;
        component.Ac = tables & 15;
        if (component.Dc > 3 || component.Ac > 3 || !frame.DcTables[static_cast<size_t>(component.Dc)].Defined ||
            !frame.AcTables[static_cast<size_t>(component.Ac)].Defined)
            return false;
    }
    // Every coefficient, from the first to the last, at full precision.
    return data[length - 3] == 0 && data[length - 2] == 63 && data[length - 1] == 0;
}
