#pragma once

#include <cstddef>

// Makes sure `bytes` more memory can be had now, so that the bitmap operations that follow find
// it: CRoaring cannot report a failed allocation in the middle of most of them. Throws
// std::bad_alloc, before anything has changed, when it cannot. Large blocks are mapped without
// being touched, so the check costs no resident memory.
void EnsureHeadroom(std::size_t bytes);

// Hands the heap pages that freed bitmap containers left empty back to the system. A change of
// many rows frees up to a hundred megabytes of 8 KB containers scattered over the heap, which
// the allocator would otherwise keep resident for the next rule to add its own peak on top.
void ReturnFreedMemory();
