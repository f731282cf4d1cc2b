#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 3)
        return 99;
    FILE* f = std::fopen(argv[1], "w");
    if (!f)
        return 98;
    for (int i = 3; i < argc; ++i)
        std::fprintf(f, "%s\n", argv[i]);
    std::fclose(f);
    return std::atoi(argv[2]);
}
