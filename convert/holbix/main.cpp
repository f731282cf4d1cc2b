#include "convert/holbix/holbix.h"

int main(int argc, char** argv)
{
    return holbix_main(argc, argv);
}
