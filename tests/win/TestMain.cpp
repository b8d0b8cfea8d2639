#include <gtest/gtest.h>

#include <cstring>

#include "WinTestSupport.h"
#include "forms/Dpi.h"

// Started again with --child NAME, the executable runs that routine instead of the tests.
int main(int argc, char** argv)
{
    DeclareDpiAwareness(); // as the program does before its first window
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
        return RunChildRoutine(argv[2]);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
