#include <gtest/gtest.h>

#include <cstring>

#include "WinTestSupport.h"

// A test that needs the program to end runs this executable again with --child NAME; the
// child runs the routine registered under NAME instead of the tests.
int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
        return RunChildRoutine(argv[2]);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
