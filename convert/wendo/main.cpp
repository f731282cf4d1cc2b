#include "convert/wendo/wendo.h"

int main(int argc, char** argv)
{
    return wendo_main(argc, argv);
}
