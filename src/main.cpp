#include <cstdio>

int main()
{
    std::printf("Tovrel %s\n", TOVREL_VERSION);
    return 0;
}
