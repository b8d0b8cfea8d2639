#pragma once
// Reads the program's version resource (a VS_VERSIONINFO block) the way the shell's file
// properties do: the fixed file version and the strings of its string table. Portable: no
// Windows header.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "platform/Text.h"

struct VersionFacts {
    std::array<uint16_t, 4> FileVersion{}; // 1.0.0.2 as {1, 0, 0, 2}
    Text Value(TextView key) const;        // a string of the string table, empty when absent

    std::vector<std::pair<Text, Text>> Strings;
};

// Nothing for bytes that are not a well-formed block; never reads outside them.
std::optional<VersionFacts> ReadVersionBlock(const unsigned char* data, size_t size);
