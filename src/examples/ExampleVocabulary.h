#pragma once
// The built-in example sound names, by category, in the order the examples window shows them.
// Constant data; portable (no Windows header).
#include <array>
#include <span>

#include "platform/Text.h"

struct ExampleCategory {
    TextView Name; // equals the caption of one Voci label of the examples window
    std::span<const TextView> Words;
};

extern const std::array<ExampleCategory, 15> ExampleVocabulary;

// The entries of the category whose name equals categoryName exactly (case-sensitive, nothing
// trimmed), or an empty list when no category has that name.
std::span<const TextView> ExampleWords(TextView categoryName);
