#pragma once
// The second stage of decoding a picture: the scan's entropy-coded data, read bit by bit past its
// stuffed bytes up to the marker that ends it, as Huffman symbols and then as the coefficients of
// one block at a time; and the restart markers that start it afresh. Portable: no Windows header.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "pictures/JpegTables.h"

class EntropyDecoder {
public:
    // The coded data of a scan starts at data[position].
    EntropyDecoder(const unsigned char* data, size_t size, size_t position)
        : m_Data(data), m_Size(size), m_Position(position)
    {
    }

    // The next block of the component: its 64 coefficients in their places in the 8 x 8 grid, not
    // yet multiplied by the quantizers; false where the data is broken or cut short.
    bool DecodeBlock(Component& component, const HuffmanTable& dc, const HuffmanTable& ac, int16_t block[64]);
    // Skips to the next restart marker and starts afresh after it, every component's DC value at 0.
    bool Restart(std::vector<Component>& components);

private:
    int Bit();
    int DecodeSymbol(const HuffmanTable& table);
    int ReceiveExtend(int bits);

    const unsigned char* m_Data;
    size_t m_Size;
    size_t m_Position;
    uint32_t m_Bits = 0;
    int m_BitCount = 0;
    bool m_HitMarker = false;
    int m_PaddingBits = 0; // bits fed past the end of the coded data
};
