// tessel: links text object files and libraries into a binary image for an
// 8051-family target, with optional listing, memory map and definition file.
#include "driver.h"
#include "common/speicher.h"

#include <cstdint>
#include <new>

// Every allocation of the linker goes through the allocation module, so that
// running out of memory ends the run with the linker's own message and the
// -x report counts every byte requested.
void* operator new(std::size_t size)
{
    // A request beyond the module's 32-bit sizes is one the heap cannot meet.
    return speicher_alloc(size > INT32_MAX ? -1 : static_cast<int32_t>(size));
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

void operator delete(void* block) noexcept
{
    if (block)
        speicher_free(block);
}

void operator delete[](void* block) noexcept
{
    operator delete(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    operator delete(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    operator delete(block);
}

int main(int argc, char** argv)
{
    return tessel::tessel_main(argc, argv);
}
