#pragma once

#include <cstddef>

namespace sw {

// Where shapes live. A large template holds tens of thousands of shapes of a
// few hundred bytes each; from the general heap every fresh 4 KiB page they
// fill costs a page fault, which on a virtual machine costs more than reading
// the shape. Shapes come instead from blocks of a few megabytes advised for
// large pages, with a list of free places per size; blocks are kept for later
// shapes and never given back. Safe from any thread.
void* allocateShapeMemory(std::size_t size);
void releaseShapeMemory(void* memory, std::size_t size) noexcept;

} // namespace sw
