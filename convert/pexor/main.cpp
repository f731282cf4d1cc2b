#include "convert/pexor/pexor.h"

int main(int argc, char** argv)
{
    return pexor_main(argc, argv);
}
