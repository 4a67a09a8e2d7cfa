#include "shortlist/memory_headroom.h"

#include <cstdlib>
#include <malloc.h>
#include <new>

void EnsureHeadroom(std::size_t bytes)
{
    void* probe = std::malloc(bytes);
    if (!probe)
        throw std::bad_alloc();
    std::free(probe);
}

void ReturnFreedMemory()
{
    malloc_trim(0);
}
