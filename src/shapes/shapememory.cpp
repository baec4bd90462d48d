#include "shapes/shapememory.h"

#include "platform/largepages.h"

#include <array>
#include <mutex>
#include <new>

// Under the address sanitizer shapes come from the general heap, where it
// sees every use after release.
#if defined(__SANITIZE_ADDRESS__)
#define SW_SHAPES_FROM_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SW_SHAPES_FROM_HEAP 1
#endif
#endif

namespace sw {

namespace {

constexpr std::size_t Granule = 16;          // sizes rounded up to this
constexpr std::size_t LargestPooled = 1024;  // larger shapes use the heap
constexpr std::size_t BlockBytes = 4u << 20; // large enough to be advised
constexpr std::size_t SizeClasses = LargestPooled / Granule;

struct FreePlace
{
    FreePlace* next;
};

class ShapeMemory
{
public:
    void* allocate(std::size_t size)
    {
        const std::size_t sizeClass = (size + Granule - 1) / Granule - 1;
        const std::lock_guard lock(m_mutex);
        if (FreePlace* place = m_free[sizeClass]) {
            m_free[sizeClass] = place->next;
            return place;
        }
        const std::size_t rounded = (sizeClass + 1) * Granule;
        if (m_left < rounded) {
            // The rest of the old block stays unused: less than one shape.
            m_next = static_cast<char*>(allocateLargePageBlock(BlockBytes));
            if (!m_next) {
                m_left = 0;
                throw std::bad_alloc();
            }
            m_left = BlockBytes;
        }
        void* const memory = m_next;
        m_next += rounded;
        m_left -= rounded;
        return memory;
    }

    void release(void* memory, std::size_t size) noexcept
    {
        const std::size_t sizeClass = (size + Granule - 1) / Granule - 1;
        const std::lock_guard lock(m_mutex);
        auto* const place = static_cast<FreePlace*>(memory);
        place->next = m_free[sizeClass];
        m_free[sizeClass] = place;
    }

private:
    std::mutex m_mutex;
    std::array<FreePlace*, SizeClasses> m_free{};
    char* m_next = nullptr;
    std::size_t m_left = 0;
};

// Never destroyed: shapes may outlive static destruction.
ShapeMemory& shapeMemory()
{
    static auto* const memory = new ShapeMemory;
    return *memory;
}

bool pooled([[maybe_unused]] std::size_t size)
{
#ifdef SW_SHAPES_FROM_HEAP
    return false;
#else
    return size > 0 && size <= LargestPooled;
#endif
}

} // namespace

void* allocateShapeMemory(std::size_t size)
{
    return pooled(size) ? shapeMemory().allocate(size) : ::operator new(size);
}

void releaseShapeMemory(void* memory, std::size_t size) noexcept
{
    if (!memory)
        return;
    if (pooled(size))
        shapeMemory().release(memory, size);
    else
        ::operator delete(memory);
}

} // namespace sw
