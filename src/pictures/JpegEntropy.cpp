#include "pictures/JpegEntropy.h"

#include <algorithm>

int EntropyDecoder::Bit()
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

int EntropyDecoder::DecodeSymbol(const HuffmanTable& table)
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

int EntropyDecoder::ReceiveExtend(int bits)
{
    int value = 0;
    for (int i = 0; i < bits; ++i)
        value = value << 1 | Bit();
    return bits && value < (1 << (bits - 1)) ? value - (1 << bits) + 1 : value;
}

bool EntropyDecoder::DecodeBlock(Component& component, const HuffmanTable& dc, const HuffmanTable& ac, int16_t block[64])
{
    // A block never needs more than a byte's padding: beyond that the data was cut short.
    if (m_PaddingBits > 64)
        return false;
    std::fill_n(block, 64, int16_t{0});
    const int dcBits = DecodeSymbol(dc);
    if (dcBits < 0 || dcBits > 11)
        return false;
    component.Predictor += ReceiveExtend(dcBits);
    block[0] = static_cast<int16_t>(component.Predictor);
    for (int k = 1; k < 64;) {
        const int symbol = DecodeSymbol(ac);
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

bool EntropyDecoder::Restart(std::vector<Component>& components)
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
    for (Component& component : components)
        component.Predictor = 0;
    return true;
}
