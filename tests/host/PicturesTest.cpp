// Our decoder against libjpeg-turbo, the well-kept one it is held to (the program keeps its own).
#include <gtest/gtest.h>

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "pictures/Jpeg.h"
#include "pictures/Resample.h"

namespace {

// libjpeg-turbo's float inverse DCT in plain C rounds halves up, as ours does; its SSE2 form rounds
// them to even, which takes one from whole flat areas of chroma. Read at libjpeg's first use.
const int kScalarLibjpeg = setenv("JSIMD_FORCENONE", "1", 1);

std::vector<unsigned char> FileBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// Decodes by our decoder's method: chroma replicated, not interpolated (djpeg -nosmooth); the float
// inverse DCT, which agrees with ours exactly where the integer one (JDCT_ISLOW) is up to 3 off;
// three components always YCbCr and one grey, whatever the markers suggest. False on any error,
// which libjpeg reports by jumping back here.
bool ReferenceDecode(const std::vector<unsigned char>& bytes, DecodedImage& image)
{
    struct Trap {
        jpeg_error_mgr Manager;
        std::jmp_buf Jump;
    } trap;
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&trap.Manager);
    trap.Manager.error_exit = [](j_common_ptr failed) { std::longjmp(reinterpret_cast<Trap*>(failed->err)->Jump, 1); };
    jpeg_create_decompress(&info);
    const bool done = !setjmp(trap.Jump) && [&] {
        jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&info, TRUE);
        const bool colour = info.num_components == 3;
        info.jpeg_color_space = colour ? JCS_YCbCr : JCS_GRAYSCALE;
        info.out_color_space = colour ? JCS_RGB : JCS_GRAYSCALE;
        info.do_fancy_upsampling = FALSE;
        info.dct_method = JDCT_FLOAT;
        jpeg_start_decompress(&info);
        image = {static_cast<int>(info.output_width), static_cast<int>(info.output_height), {}};
        // From libjpeg's own pool, which a jump back frees with the rest.
        const JSAMPARRAY row = info.mem->alloc_sarray(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                      info.output_width * static_cast<JDIMENSION>(info.output_components), 1);
        while (info.output_scanline < info.output_height) {
            jpeg_read_scanlines(&info, row, 1);
            for (size_t x = 0; x < info.output_width; ++x) {
                const JSAMPLE* s = row[0] + x * static_cast<size_t>(info.output_components);
                image.Pixels.push_back(colour ? static_cast<uint32_t>(s[0] << 16 | s[1] << 8 | s[2]) : s[0] * 0x010101u);
            }
        }
        return true;
    }();
    jpeg_destroy_decompress(&info);
    return done;
}

} // namespace

TEST(Pictures, DecodedAsLibjpegDecodesThem)
{
    // Every picture the program carries, then two of libjpeg's compressor from the fuzz corpus, of
    // an odd size so that blocks and MCUs overhang their edges: grey with its one component
    // declaring 2 x 2 sampling, as common tools write it, and 4:2:2 with restart markers.
    std::vector<std::pair<std::string, std::vector<unsigned char>>> pictures;
    for (const auto& entry : std::filesystem::directory_iterator(QUORVEL_PICTURES)) {
        if (entry.path().extension() == ".jpg")
            pictures.emplace_back(entry.path().filename(), FileBytes(entry.path()));
    }
    ASSERT_GE(pictures.size(), 2u); // none lost on the way
    for (const char* name : {"jpeg-grey-2x2.jpg", "jpeg-restarts.jpg"}) { // after the fuzz target's two bytes
        const std::vector<unsigned char> input = FileBytes(std::filesystem::path(QUORVEL_CORPUS) / name);
        pictures.emplace_back(name, std::vector<unsigned char>(input.begin() + 2, input.end()));
    }
    for (const auto& [name, bytes] : pictures) {
        DecodedImage ours, reference;
        ASSERT_TRUE(DecodeBaselineJpeg(bytes.data(), bytes.size(), ours) && ReferenceDecode(bytes, reference)) << name;
        EXPECT_TRUE(ours.Width == reference.Width && ours.Height == reference.Height && ours.Pixels == reference.Pixels)
            << name << ": pixel for pixel as libjpeg-turbo draws it";
        if (name != "examples-banner.jpg")
            continue;
        // The sponsor's wordmark ends inside its frame: the two columns right of the frame are the
        // background the two left of it are (the shading runs top to bottom), up to the JPEG's noise;
        // green alone, as the letters differ from the background in every channel.
        int worst = 0;
        for (size_t y = 0, w = size_t(reference.Width); y < size_t(reference.Height); ++y)
            for (size_t x : {0, 1})
                worst = std::max(worst, std::abs(int(reference.Pixels[y * w + w - 1 - x] >> 8 & 255) -
                                                 int(reference.Pixels[y * w + x] >> 8 & 255)));
        EXPECT_LT(worst, 48); // a letter there is 150 and more apart
    }
}

TEST(Pictures, ResampledSmoothlyAndUnchangedAtTheirOwnSize)
{
    const DecodedImage split{2, 1, {0x000000, 0xFFFFFF}};
    EXPECT_EQ(Resample(split, 2, 1).Pixels, split.Pixels);
    const DecodedImage wide = Resample(split, 8, 2);
    ASSERT_EQ(wide.Pixels.size(), 16u);
    for (int x = 1; x < 8; ++x) // a ramp of greys from black to white, never back, in both rows
        EXPECT_TRUE(wide.Pixels[x] >= wide.Pixels[x - 1] && wide.Pixels[x] % 0x10101 == 0 &&
                    wide.Pixels[x + 8] == wide.Pixels[x]);
    EXPECT_TRUE(wide.Pixels[0] + wide.Pixels[7] == 0xFFFFFFu && wide.Pixels[3] != 0);
    EXPECT_TRUE(Resample(split, 0, 5).Height == 0 && Resample({2, 0, {}}, 3, 3).Pixels.empty()); // nothing, not 0 x 5
}
