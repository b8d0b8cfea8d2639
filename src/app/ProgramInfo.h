#pragma once
// What the "Info" link tells: the program's name, version and author, as its version resource
// gives them.
#include "forms/Text.h"

Text ProgramInfoText();
