#include "pictures/Jpeg.h"

#include "pictures/JpegEntropy.h"
#include "pictures/JpegTables.h"
#include "pictures/JpegTransform.h"

// The decoder runs the stages in turn: the segments before the scan define the frame and its
// tables (JpegTables), the scan's coded data gives each block's coefficients (JpegEntropy), and
// each block is transformed into samples as it comes, which become pixels at the end
// (JpegTransform).

namespace {

// The scan, MCU by MCU: each component's blocks in turn, restarted where the frame says.
bool DecodeScan(const unsigned char* data, size_t size, size_t position, JpegFrame& frame)
{
    EntropyDecoder entropy(data, size, position);
    std::vector<Component>& components = frame.Components;
    const int mcusWide = components[0].BlocksWide / components[0].H;
    const int mcusHigh = components[0].BlocksHigh / components[0].V;
    int16_t block[64];
    int untilRestart = frame.RestartInterval;
    for (int my = 0; my < mcusHigh; ++my) {
        for (int mx = 0; mx < mcusWide; ++mx) {
            if (frame.RestartInterval && untilRestart-- == 0) {
                if (!entropy.Restart(components))
                    return false;
                untilRestart = frame.RestartInterval - 1;
            }
            for (Component& component : components) {
                const uint16_t* quant = frame.Quant[static_cast<size_t>(component.Quant)].data();
                const HuffmanTable& dc = frame.DcTables[static_cast<size_t>(component.Dc)];
                const HuffmanTable& ac = frame.AcTables[static_cast<size_t>(component.Ac)];
                const int stride = component.BlocksWide * 8;
                for (int by = 0; by < component.V; ++by)
                    for (int bx = 0; bx < component.H; ++bx) {
                        if (!entropy.DecodeBlock(component, dc, ac, block))
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

} // namespace

bool DecodeBaselineJpeg(const unsigned char* data, size_t size, PixelTarget target, void* context)
{
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return false;
    JpegFrame frame;
    bool scanned = false;
    size_t position = 2;
    while (!scanned && position + 4 <= size) {
        if (data[position] != 0xFF)
            return false;
        const uint8_t marker = data[position + 1];
        position += 2;
        if (marker == 0xD9 || marker == 0xFF)
            break;
        // A segment: its length (which counts itself), then its bytes.
        const size_t declared = Read16(data + position);
        if (declared < 2 || position + declared > size)
            return false;
        position += 2;
        const size_t length = declared - 2;
        const unsigned char* segment = data + position;
        bool ok = true;
        switch (marker) {
        case 0xDB: ok = ReadQuantizationTables(segment, length, frame); break;
        case 0xC4: ok = ReadHuffmanTables(segment, length, frame); break;
        case 0xC0: ok = ReadFrameHeader(segment, length, frame); break;
        case 0xDD: ok = ReadRestartInterval(segment, length, frame); break;
        case 0xDA:
            ok = scanned = ReadScanHeader(segment, length, frame) && DecodeScan(data, size, position + length, frame);
            break;
        default:
            // Progressive, lossless and arithmetic-coded frames are not for this decoder.
            if ((marker >= 0xC1 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC))
                return false;
            break; // application data, comments: skipped
        }
        if (!ok)
            return false;
        position += length;
    }
    uint32_t* pixels = scanned ? target(frame.Width, frame.Height, context) : nullptr;
    if (pixels)
        ConvertToPixels(frame, pixels);
    return pixels != nullptr;
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
