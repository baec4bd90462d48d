#pragma once

#include <cstddef>

namespace sw {

// Asks the system to back the not yet touched memory [data, data + size) with
// large pages where it can. Filling a buffer of many megabytes then costs a few
// page faults instead of one per 4 KiB page, which on a virtual machine can
// cost more than reading or writing the bytes. Small buffers are left alone.
void adviseLargePages(void* data, std::size_t size);

// A block of at least `bytes`, rounded up to whole large pages, aligned to a
// large page and advised for them; freed with std::free. Null when the memory
// cannot be had.
void* allocateLargePageBlock(std::size_t bytes);

} // namespace sw
