#include "pictures/Jpeg.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr uint8_t kZigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                 12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// Rounded to the nearest and held within a byte; a cast rather than lround, which is a library
// call per sample.
uint8_t Clamped(float v) { return v <= 0 ? 0 : v >= 255 ? 255 : static_cast<uint8_t>(v + 0.5f); }

struct Huffman {
    bool Defined = false;
    std::array<uint8_t, 256> Symbols{};
    std::array<int, 17> MaxCode{};  // largest code of each length, -1 when none
    std::array<int, 17> ValueIndex{}; // index of the first symbol of each length minus its first code
};

struct Component {
    int Id = 0, H = 1, V = 1, Quant = 0, Dc = 0, Ac = 0;
    int Predictor = 0;
    int BlocksWide = 0, BlocksHigh = 0;
    std::vector<uint8_t> Samples; // BlocksWide*8 x BlocksHigh*8
};

class Decoder {
public:
    Decoder(const unsigned char* data, size_t size) : m_Data(data), m_Size(size) {}
    bool Decode(PixelTarget target, void* context);

private:
    bool ReadSegment(size_t& length);
    bool DefineQuantization(size_t end);
    bool DefineHuffman(size_t end);
    bool StartOfFrame(size_t end);
    bool StartOfScan(size_t end);
    bool DecodeScan();
    bool DecodeBlock(Component& component, int16_t block[64]);
    int DecodeSymbol(const Huffman& table);
    int ReceiveExtend(int bits);
    int Bit();
    bool Restart();
    void InverseTransform(const int16_t block[64], const uint16_t quant[64], uint8_t* out, int stride) const;
    void Convert(uint32_t* pixel) const;

    const unsigned char* m_Data;
    size_t m_Size;
    size_t m_Position = 0;
    uint32_t m_Bits = 0;
    int m_BitCount = 0;
    bool m_HitMarker = false;
    int m_PaddingBits = 0; // bits fed past the end of the coded data
    int m_RestartInterval = 0;
    int m_Width = 0, m_Height = 0, m_HMax = 1, m_VMax = 1;
    std::array<std::array<uint16_t, 64>, 4> m_Quant{};
    std::array<Huffman, 4> m_DcTables, m_AcTables;
    std::vector<Component> m_Components;
    bool m_Frame = false, m_Scanned = false;
};

uint16_t Read16(const unsigned char* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

bool Decoder::Decode(PixelTarget target, void* context)
{
    if (m_Size < 4 || m_Data[0] != 0xFF || m_Data[1] != 0xD8)
        return false;
    m_Position = 2;
    while (m_Position + 4 <= m_Size) {
        if (m_Data[m_Position] != 0xFF)
            return false;
        const uint8_t marker = m_Data[m_Position + 1];
        m_Position += 2;
        if (marker == 0xD9 || marker == 0xFF)
            break;
        size_t length = 0;
        if (!ReadSegment(length))
            return false;
        const size_t end = m_Position + length;
        bool ok = true;
        switch (marker) {
        case 0xDB: ok = DefineQuantization(end); break;
        case 0xC4: ok = DefineHuffman(end); break;
        case 0xC0: ok = StartOfFrame(end); break;
        case 0xDD: ok = length == 2 && ((m_RestartInterval = Read16(m_Data + m_Position)), true); break;
        case 0xDA:
            ok = StartOfScan(end) && DecodeScan();
            m_Scanned = ok;
            break;
        default:
            // Progressive, lossless and arithmetic-coded frames are not for this decoder.
            if ((marker >= 0xC1 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC))
                return false;
            break; // application data, comments: skipped
        }
        if (!ok)
            return false;
        if (marker != 0xDA)
            m_Position = end;
        if (m_Scanned)
            break;
    }
    uint32_t* pixels = m_Scanned ? target(m_Width, m_Height, context) : nullptr;
    if (pixels)
        Convert(pixels);
    return pixels != nullptr;
}

bool Decoder::ReadSegment(size_t& length)
{
    if (m_Position + 2 > m_Size)
        return false;
    const size_t declared = Read16(m_Data + m_Position);
    if (declared < 2 || m_Position + declared > m_Size)
        return false;
    m_Position += 2;
    length = declared - 2;
    return true;
}

bool Decoder::DefineQuantization(size_t end)
{
    size_t p = m_Position;
    while (p < end) {
        const int precision = m_Data[p] >> 4, id = m_Data[p] & 15;
        if (precision != 0 || id > 3 || p + 65 > end)
            return false;
        for (int i = 0; i < 64; ++i)
            m_Quant[static_cast<size_t>(id)][kZigzag[i]] = m_Data[p + 1 + static_cast<size_t>(i)];
        p += 65;
    }
    return true;
}

bool Decoder::DefineHuffman(size_t end)
{
    size_t p = m_Position;
    while (p < end) {
        if (p + 17 > end)
            return false;
        const int kind = m_Data[p] >> 4, id = m_Data[p] & 15;
        if (kind > 1 || id > 3)
            return false;
        Huffman& table = (kind == 0 ? m_DcTables : m_AcTables)[static_cast<size_t>(id)];
        int total = 0;
        for (int length = 1; length <= 16; ++length)
            total += m_Data[p + static_cast<size_t>(length)];
        if (total > 256 || p + 17 + static_cast<size_t>(total) > end)
            return false;
        int code = 0, index = 0;
        for (int length = 1; length <= 16; ++length) {
            const int count = m_Data[p + static_cast<size_t>(length)];
            table.ValueIndex[static_cast<size_t>(length)] = index - code;
            code += count;
            index += count;
            table.MaxCode[static_cast<size_t>(length)] = count ? code - 1 : -1;
            if (code > (1 << length))
                return false;
            code <<= 1;
        }
        std::copy_n(m_Data + p + 17, total, table.Symbols.begin());
        table.Defined = true;
        p += 17 + static_cast<size_t>(total);
    }
    return true;
}

bool Decoder::StartOfFrame(size_t end)
{
    const size_t p = m_Position;
    if (m_Frame || end - p < 6 || m_Data[p] != 8)
        return false;
    m_Height = Read16(m_Data + p + 1);
    m_Width = Read16(m_Data + p + 3);
    const int count = m_Data[p + 5];
    if (m_Width <= 0 || m_Height <= 0 || m_Width > 1024 || m_Height > 1024 || (count != 1 && count != 3) ||
        end - p < 6 + 3 * static_cast<size_t>(count))
        return false;
    for (int i = 0; i < count; ++i) {
        const unsigned char* c = m_Data + p + 6 + 3 * i;
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
        m_HMax = std::max(m_HMax, component.H);
        m_VMax = std::max(m_VMax, component.V);
        m_Components.push_back(component);
    }
    const int mcusWide = (m_Width + 8 * m_HMax - 1) / (8 * m_HMax);
    const int mcusHigh = (m_Height + 8 * m_VMax - 1) / (8 * m_VMax);
    for (Component& component : m_Components) {
        component.BlocksWide = mcusWide * component.H;
        component.BlocksHigh = mcusHigh * component.V;
        component.Samples.assign(static_cast<size_t>(component.BlocksWide) * 8 * static_cast<size_t>(component.BlocksHigh) * 8, 0);
    }
    m_Frame = true;
    return true;
}

bool Decoder::StartOfScan(size_t end)
{
    const size_t p = m_Position;
    if (!m_Frame || end - p < 1)
        return false;
    const size_t count = m_Data[p];
    // One interleaved scan with every component: what a baseline encoder writes.
    if (count != m_Components.size() || end - p != 1 + 2 * count + 3)
        return false;
    for (size_t i = 0; i < count; ++i) {
        const int id = m_Data[p + 1 + 2 * i], tables = m_Data[p + 2 + 2 * i];
        Component& component = m_Components[i];
        if (component.Id != id)
            return false;
        component.Dc = tables >> 4;
        component.Ac = tables & 15;
        if (component.Dc > 3 || component.Ac > 3 || !m_DcTables[static_cast<size_t>(component.Dc)].Defined ||
            !m_AcTables[static_cast<size_t>(component.Ac)].Defined)
            return false;
    }
    if (m_Data[end - 3] != 0 || m_Data[end - 2] != 63 || m_Data[end - 1] != 0)
        return false;
    m_Position = end;
    return true;
}

int Decoder::Bit()
{
    if (m_BitCount == 0) {
        uint32_t byte = 0;
        if (!m_HitMarker && m_Position < m_Size) {
            byte = m_Data[m_Position];
            if (byte == 0xFF) {
                const uint8_t next = m_Position + 1 < m_Size ? m_Data[m_Position + 1] : 0xD9;
                if (next == 0x00) {
                    m_Position += 2;
                } else {
                    m_HitMarker = true; // a marker ends the entropy-coded data: zeros from here on
                    byte = 0;
                }
            } else {
                ++m_Position;
            }
        } else {
            m_PaddingBits += 8;
        }
        m_Bits = byte;
        m_BitCount = 8;
    }
    --m_BitCount;
    return static_cast<int>((m_Bits >> m_BitCount) & 1);
}

int Decoder::DecodeSymbol(const Huffman& table)
{
    int code = 0;
    for (size_t length = 1; length <= 16; ++length) {
        code = code << 1 | Bit();
        if (table.MaxCode[length] >= 0 && code <= table.MaxCode[length]) {
            const int index = table.ValueIndex[length] + code;
            return index >= 0 && index < 256 ? table.Symbols[static_cast<size_t>(index)] : -1;
        }
    }
    return -1;
}

int Decoder::ReceiveExtend(int bits)
{
    int value = 0;
    for (int i = 0; i < bits; ++i)
        value = value << 1 | Bit();
    return bits && value < (1 << (bits - 1)) ? value - (1 << bits) + 1 : value;
}

bool Decoder::DecodeBlock(Component& component, int16_t block[64])
{
    // A block never needs more than a byte's padding: beyond that the data was cut short.
    if (m_PaddingBits > 64)
        return false;
    std::fill_n(block, 64, int16_t{0});
    const int dcBits = DecodeSymbol(m_DcTables[static_cast<size_t>(component.Dc)]);
    if (dcBits < 0 || dcBits > 11)
        return false;
    component.Predictor += ReceiveExtend(dcBits);
    block[0] = static_cast<int16_t>(component.Predictor);
    for (int k = 1; k < 64;) {
        const int symbol = DecodeSymbol(m_AcTables[static_cast<size_t>(component.Ac)]);
        if (symbol < 0)
            return false;
        const int run = symbol >> 4, bits = symbol & 15;
        if (bits == 0) {
            if (run != 15)
                break; // end of block
            k += 16;
            continue;
        }
        k += run;
        if (k > 63 || bits > 10)
            return false;
        block[kZigzag[k]] = static_cast<int16_t>(ReceiveExtend(bits));
        ++k;
    }
    return true;
}

bool Decoder::Restart()
{
    // Skip to the RSTn marker, then start afresh after it.
    m_BitCount = 0;
    m_HitMarker = false;
    m_PaddingBits = 0;
    while (m_Position + 1 < m_Size && !(m_Data[m_Position] == 0xFF && m_Data[m_Position + 1] >= 0xD0 &&
                                        m_Data[m_Position + 1] <= 0xD7))
        ++m_Position;
    if (m_Position + 1 >= m_Size)
        return false;
    m_Position += 2;
    for (Component& component : m_Components)
        component.Predictor = 0;
    return true;
}

bool Decoder::DecodeScan()
{
    const int mcusWide = m_Components[0].BlocksWide / m_Components[0].H;
    const int mcusHigh = m_Components[0].BlocksHigh / m_Components[0].V;
    int16_t block[64];
    int untilRestart = m_RestartInterval;
    for (int my = 0; my < mcusHigh; ++my) {
        for (int mx = 0; mx < mcusWide; ++mx) {
            if (m_RestartInterval && untilRestart-- == 0) {
                if (!Restart())
                    return false;
                untilRestart = m_RestartInterval - 1;
            }
            for (Component& component : m_Components) {
                const uint16_t* quant = m_Quant[static_cast<size_t>(component.Quant)].data();
                const int stride = component.BlocksWide * 8;
                for (int by = 0; by < component.V; ++by)
                    for (int bx = 0; bx < component.H; ++bx) {
                        if (!DecodeBlock(component, block))
                            return false;
                        const size_t x = static_cast<size_t>((mx * component.H + bx) * 8);
                        const size_t y = static_cast<size_t>((my * component.V + by) * 8);
                        InverseTransform(block, quant, component.Samples.data() + y * static_cast<size_t>(stride) + x,
                                         stride);
                    }
            }
        }
    }
    return true;
}

void Decoder::InverseTransform(const int16_t block[64], const uint16_t quant[64], uint8_t* out, int stride) const
{
    // The separable inverse DCT as defined: 8 x 8 x 8 products a pass, exact enough and quick
    // for pictures of this size.
    static const std::array<float, 64> basis = [] {
        std::array<float, 64> b{};
        for (int x = 0; x < 8; ++x)
            for (int u = 0; u < 8; ++u)
                b[static_cast<size_t>(x * 8 + u)] = static_cast<float>(
                    (u == 0 ? std::sqrt(0.5) : 1.0) * std::cos((2 * x + 1) * u * 3.14159265358979323846 / 16) / 2);
        return b;
    }();
    // Coefficients past the last non-zero row and column add nothing, and most blocks keep only
    // their lowest frequencies: the products stop there.
    int rows = 0, columnsUsed = 0;
    for (int i = 0; i < 64; ++i) {
        if (block[i])
            rows = std::max(rows, i / 8 + 1), columnsUsed = std::max(columnsUsed, i % 8 + 1);
    }
    float columns[64];
    for (int u = 0; u < columnsUsed; ++u) {
        for (int y = 0; y < 8; ++y) {
            float sum = 0;
            for (int v = 0; v < rows; ++v)
                sum += basis[static_cast<size_t>(y * 8 + v)] * static_cast<float>(block[v * 8 + u] * quant[v * 8 + u]);
            columns[y * 8 + u] = sum;
        }
    }
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            float sum = 0;
            for (int u = 0; u < columnsUsed; ++u)
                sum += basis[static_cast<size_t>(x * 8 + u)] * columns[y * 8 + u];
            out[y * stride + x] = Clamped(sum + 128);
        }
    }
}

void Decoder::Convert(uint32_t* pixel) const
{
    // A subsampled plane has one sample for two pixels: the nearest is taken.
    const auto row = [&](const Component& c, int y) {
        return c.Samples.data() + static_cast<size_t>(c.V < m_VMax ? y / 2 : y) * static_cast<size_t>(c.BlocksWide * 8);
    };
    const auto shift = [&](const Component& c) { return c.H < m_HMax ? 1 : 0; };
    const Component& luma = m_Components[0];
    for (int y = 0; y < m_Height; ++y) {
        const uint8_t* l = row(luma, y);
        const int ls = shift(luma);
        if (m_Components.size() != 3) {
            for (int x = 0; x < m_Width; ++x)
                *pixel++ = l[x >> ls] * 0x010101u;
            continue;
        }
        const uint8_t *b = row(m_Components[1], y), *r = row(m_Components[2], y);
        const int bs = shift(m_Components[1]), rs = shift(m_Components[2]);
        for (int x = 0; x < m_Width; ++x) {
            // JFIF's YCbCr to RGB in 16-bit fixed point, each channel rounded as libjpeg rounds it:
            // the half added after the products, so that grey stays grey.
            const int lum = l[x >> ls], cb = b[x >> bs] - 128, cr = r[x >> rs] - 128;
            const int red = lum + ((91881 * cr + 32768) >> 16);
            const int green = lum + ((-22554 * cb - 46802 * cr + 32768) >> 16);
            const int blue = lum + ((116130 * cb + 32768) >> 16);
            *pixel++ = static_cast<uint32_t>(std::clamp(red, 0, 255) << 16 | std::clamp(green, 0, 255) << 8 |
                                             std::clamp(blue, 0, 255));
        }
    }
}

} // namespace

bool DecodeBaselineJpeg(const unsigned char* data, size_t size, PixelTarget target, void* context)
{
    Decoder decoder(data, size);
    return decoder.Decode(target, context);
}

bool DecodeBaselineJpeg(const unsigned char* data, size_t size, DecodedImage& image)
{
    const PixelTarget intoImage = [](int width, int height, void* context) {
        auto& decoded = *static_cast<DecodedImage*>(context);
        decoded = {width, height, std::vector<uint32_t>(static_cast<size_t>(width) * static_cast<size_t>(height))};
        return decoded.Pixels.data();
    };
    return DecodeBaselineJpeg(data, size, intoImage, &image);
}
