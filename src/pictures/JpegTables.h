#pragma once
// The first stage of decoding a picture: what a baseline JPEG's segments define before its scan.
// The frame (size, components and their sampling), the quantization and Huffman tables, the
// restart interval and the tables the scan uses, each read from one segment's bytes (those after
// its length). Anything a baseline decoder of one to three components cannot take is refused.
// Portable: no Windows header.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Where the coefficients of a block, which come in zig-zag order, lie in its 8 x 8 grid.
extern const uint8_t kZigzag[64];

inline uint16_t Read16(const unsigned char* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

struct HuffmanTable {
    bool Defined = false;
    std::array<uint8_t, 256> Symbols{};
    std::array<int, 17> MaxCode{};    // largest code of each length, -1 when none
    std::array<int, 17> ValueIndex{}; // index of the first symbol of each length minus its first code
};

struct Component {
    int Id = 0, H = 1, V = 1, Quant = 0, Dc = 0, Ac = 0;
    int Predictor = 0; // the last block's DC value, as the scan is decoded
    int BlocksWide = 0, BlocksHigh = 0;
    std::vector<uint8_t> Samples; // BlocksWide*8 x BlocksHigh*8, as the transform writes them
};

struct JpegFrame {
    bool Defined = false;
    int Width = 0, Height = 0, HMax = 1, VMax = 1;
    int RestartInterval = 0; // MCUs between restart markers, 0 for none
    std::array<std::array<uint16_t, 64>, 4> Quant{};
    std::array<HuffmanTable, 4> DcTables, AcTables;
    std::vector<Component> Components;
};

bool ReadQuantizationTables(const unsigned char* data, size_t length, JpegFrame& frame);
bool ReadHuffmanTables(const unsigned char* data, size_t length, JpegFrame& frame);
// At most 1024 x 1024 pixels, 8-bit samples, one or three components sampled 1 or 2 each way.
bool ReadFrameHeader(const unsigned char* data, size_t length, JpegFrame& frame);
bool ReadRestartInterval(const unsigned char* data, size_t length, JpegFrame& frame);
// One interleaved scan of every component, over every coefficient: what a baseline encoder writes.
bool ReadScanHeader(const unsigned char* data, size_t length, JpegFrame& frame);
