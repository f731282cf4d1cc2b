#include "make/gravik/driver.h"

int main(int argc, char** argv)
{
    return gravik::gravik_main(argc, argv);
}
