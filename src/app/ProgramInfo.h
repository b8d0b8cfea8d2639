#pragma once
// What the "Info" link tells: the program's name, version and author, as its version resource
// gives them.
#include "platform/Text.h"

Text ProgramInfoText();
