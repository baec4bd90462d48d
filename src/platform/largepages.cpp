#include "platform/largepages.h"

#include <QtGlobal>
#include <cstdint>
#include <cstdlib>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace sw {

namespace {

// Below this the few page faults saved do not pay for the system call.
constexpr std::size_t LargeBufferBytes = std::size_t{4} << 20;

constexpr std::size_t LargePage = std::size_t{2} << 20;

} // namespace

void adviseLargePages(void* data, std::size_t size)
{
#if defined(Q_OS_LINUX) && defined(MADV_HUGEPAGE)
    if (size < LargeBufferBytes)
        return;
    // Whole pages inside the buffer only: the advice applies to pages.
    const auto pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + pageSize - 1) / pageSize * pageSize;
    const std::uintptr_t end = (begin + size) / pageSize * pageSize;
    if (end > first) // advice only: a system that declines it just uses small pages
        madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
    Q_UNUSED(data);
    Q_UNUSED(size);
#endif
}

void* allocateLargePageBlock(std::size_t bytes)
{
    if (bytes > SIZE_MAX - LargePage)
        return nullptr;
    const std::size_t rounded = (bytes + LargePage - 1) / LargePage * LargePage;
    void* const block = std::aligned_alloc(LargePage, rounded);
#if defined(Q_OS_LINUX) && defined(MADV_HUGEPAGE)
    if (block)
        madvise(block, rounded, MADV_HUGEPAGE);
#endif
    return block;
}

} // namespace sw
