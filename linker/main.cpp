// tessel: links text object files and libraries into a binary image for an
// 8051-family target, with optional listing, memory map and definition file.
#include "linker/driver.h"

int main(int argc, char** argv)
{
    return tessel::tessel_main(argc, argv);
}
