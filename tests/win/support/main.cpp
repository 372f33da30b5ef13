#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Every Windows test assumes a Japanese system: stop loudly on any other.
    if (GetACP() != 932 || !GetSystemMetrics(SM_DBCSENABLED)) {
        std::fprintf(stderr, "test bench is not Japanese: GetACP() = %u, expected 932\n", GetACP());
        return 1;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
