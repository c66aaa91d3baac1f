// Tovrel: a skinned video converter.
#include "app/main/ProgramBlock.h"

#include <cstdio>
#include <exception>

int main()
{
    try {
        return tovrel::RunProgram();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tovrel: %s\n", e.what());
        return 1;
    }
}
