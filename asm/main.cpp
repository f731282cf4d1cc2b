// Morrin: the 8051 macro assembler (console program).
#include "asm/driver.h"

int main(int argc, char** argv)
{
    return morrin::morrin_main(argc, argv);
}
