#include "driver.h"

int main(int argc, char** argv)
{
    return gravik_main(argc, argv);
}
