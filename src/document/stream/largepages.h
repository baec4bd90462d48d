#pragma once

#include "platform/largepages.h"

#include <cstddef>
#include <vector>

namespace sw::stream {

// Makes room for `count` items in all, the new room advised for large pages.
template <class T> void reserveLarge(std::vector<T>& items, std::size_t count)
{
    if (count <= items.capacity())
        return;
    items.reserve(count);
    adviseLargePages(items.data() + items.size(), (items.capacity() - items.size()) * sizeof(T));
}

} // namespace sw::stream
