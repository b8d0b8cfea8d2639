#pragma once
// The tooltip class's own text replacement. Portable: no Windows header.
#include <cstdint>

#include "platform/Text.h"

// Replaces FindString by ReplaceString in Expression, scanning from the first character.
// After each replacement the next search begins at the first character of the text just put
// in, and the scan stops after ReplaceCount replacements (no limit when 0 or negative).
// Start and Compare are accepted and not used: matching is always exact and case-sensitive.
//
// That scan would never end in two cases, which are given an ordinary result instead:
// an empty FindString returns Expression unchanged, and a ReplaceString that contains
// FindString with no positive count replaces every match of the original text once, left to
// right, never searching inside the text put in.
Text Replace(Text Expression, TextView FindString, TextView ReplaceString, int32_t Start = 1,
             int32_t ReplaceCount = -1, int32_t Compare = 0);
