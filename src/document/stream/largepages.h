#pragma once

#include <cstddef>
#include <vector>

namespace sw::stream {

// Asks the system to back the not yet touched memory [data, data + size) with
// large pages where it can. Filling a buffer of many megabytes then costs a few
// page faults instead of one per 4 KiB page, which on a virtual machine can
// cost more than reading or writing the bytes. Small buffers are left alone.
void adviseLargePages(void* data, std::size_t size);

// Makes room for `count` items in all, the new room advised for large pages.
template <class T> void reserveLarge(std::vector<T>& items, std::size_t count)
{
    if (count <= items.capacity())
        return;
    items.reserve(count);
    adviseLargePages(items.data() + items.size(), (items.capacity() - items.size()) * sizeof(T));
}

} // namespace sw::stream
