#pragma once
// libjpeg-turbo, the well-kept decoder ours is held to, and a measure of how far two decodings of
// one picture lie apart. For the host tests and the fuzz target only: the program keeps its own.
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "pictures/Jpeg.h"

// libjpeg-turbo's float inverse DCT in plain C rounds halves up, as ours does; its SSE2 form rounds
// them to even, which takes one from whole flat areas of chroma. Read at libjpeg's first use.
inline const int kScalarLibjpeg = setenv("JSIMD_FORCENONE", "1", 1);

// libjpeg's errors jump back to the caller instead of ending the process; its warnings are
// counted, not printed.
struct JpegTrap {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
};

inline jpeg_error_mgr* Trap(JpegTrap& trap)
{
    jpeg_std_error(&trap.Manager);
    trap.Manager.error_exit = [](j_common_ptr info) { std::longjmp(reinterpret_cast<JpegTrap*>(info->err)->Jump, 1); };
    trap.Manager.emit_message = [](j_common_ptr info, int level) { info->err->num_warnings += level < 0; };
    return &trap.Manager;
}

// Runs read(info) on the picture with its header read; false when libjpeg fails anywhere (its error
// jumps back here, past read, which must own nothing but what libjpeg's pools hold).
template <typename Read> bool WithLibjpeg(const unsigned char* data, size_t size, Read read)
{
    jpeg_decompress_struct info{};
    JpegTrap trap;
    info.err = Trap(trap);
    jpeg_create_decompress(&info);
    bool done = false;
    if (!setjmp(trap.Jump)) {
        jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
        jpeg_read_header(&info, TRUE);
        done = read(info);
    }
    jpeg_destroy_decompress(&info);
    return done;
}

// Decodes by our decoder's method: chroma replicated, not interpolated (djpeg -nosmooth); the float
// inverse DCT, which agrees with ours exactly on our pictures where the integer one (JDCT_ISLOW)
// is up to 3 off; three components always YCbCr and one grey, whatever the markers suggest.
// False on any error.
inline bool ReferenceDecode(const unsigned char* data, size_t size, DecodedImage& image, long* warnings = nullptr)
{
    return WithLibjpeg(data, size, [&](jpeg_decompress_struct& info) {
        const bool colour = info.num_components == 3;
        info.jpeg_color_space = colour ? JCS_YCbCr : JCS_GRAYSCALE;
        info.out_color_space = colour ? JCS_RGB : JCS_GRAYSCALE;
        info.do_fancy_upsampling = FALSE;
        info.dct_method = JDCT_FLOAT;
        jpeg_start_decompress(&info);
        const JDIMENSION width = info.output_width;
        image = {static_cast<int>(width), static_cast<int>(info.output_height),
                 std::vector<uint32_t>(size_t{width} * info.output_height)};
        // From libjpeg's own pool, which the jump back frees with the rest.
        const JSAMPARRAY row = info.mem->alloc_sarray(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                      width * static_cast<JDIMENSION>(info.output_components), 1);
        for (uint32_t* pixel = image.Pixels.data(); info.output_scanline < info.output_height;) {
            jpeg_read_scanlines(&info, row, 1);
            for (JDIMENSION x = 0; x < width; ++x) {
                const JSAMPLE* s = row[0] + x * static_cast<JDIMENSION>(info.output_components);
                *pixel++ = colour ? static_cast<uint32_t>(s[0] << 16 | s[1] << 8 | s[2]) : s[0] * 0x010101u;
            }
        }
        if (warnings)
            *warnings = info.err->num_warnings;
        return true;
    });
}

// The largest difference of a channel between two decodings of a picture of the same size.
inline int WorstDifference(const DecodedImage& ours, const DecodedImage& reference)
{
    int worst = 0;
    for (size_t i = 0; i < ours.Pixels.size(); ++i)
        for (int shift : {0, 8, 16})
            worst = std::max(worst, std::abs(int(ours.Pixels[i] >> shift & 255) - int(reference.Pixels[i] >> shift & 255)));
    return worst;
}
