#include "shapes/line.h"
#include "shapes/rectangle.h"
#include "shapes/shapememory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace sw::test {
namespace {

struct Place
{
    unsigned char* memory;
    std::size_t size;
    unsigned char pattern;
};

// Fills places of many sizes, frees every other one and fills again: no place
// overlaps another that is still in use.
void churn(unsigned seed, int rounds)
{
    std::vector<Place> places;
    for (int round = 0; round < rounds; ++round) {
        for (int i = 0; i < 500; ++i) {
            const std::size_t size = 1 + (seed * 7919u + unsigned(i) * 104729u) % 1500;
            const auto pattern = static_cast<unsigned char>(seed + unsigned(i));
            auto* memory = static_cast<unsigned char*>(allocateShapeMemory(size));
            std::memset(memory, pattern, size);
            places.push_back({memory, size, pattern});
            seed = seed * 1103515245u + 12345u;
        }
        std::vector<Place> kept;
        for (std::size_t i = 0; i < places.size(); ++i) {
            const Place& p = places[i];
            for (std::size_t b = 0; b < p.size; ++b)
                ASSERT_EQ(p.memory[b], p.pattern) << "place " << i << " byte " << b;
            if (i % 2 == 0)
                releaseShapeMemory(p.memory, p.size);
            else
                kept.push_back(p);
        }
        places = std::move(kept);
    }
    for (const Place& p : places)
        releaseShapeMemory(p.memory, p.size);
}

TEST(ShapeMemory, PlacesInUseNeverOverlapAcrossSizesAndReuse)
{
    churn(1, 6);
}

TEST(ShapeMemory, ThreadsAllocatingAtOnceKeepTheirPlacesApart)
{
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < 4; ++t)
        threads.emplace_back([t] { churn(100 + t, 4); });
    for (std::thread& thread : threads)
        thread.join();
}

TEST(ShapeMemory, ShapesOfEveryKindAreMadeAndDestroyedThroughIt)
{
    std::vector<std::unique_ptr<TGraphics>> shapes;
    for (int i = 0; i < 2000; ++i) {
        if (i % 2)
            shapes.push_back(std::make_unique<TLine>(TPoint{i, 0}, TPoint{i + 10, 10}, 1.0, 1.0));
        else
            shapes.push_back(
                std::make_unique<TRectangle>(TPoint{0, i}, TPoint{10, i + 10}, 1.0, 1.0));
    }
    for (std::size_t i = 0; i < shapes.size(); ++i)
        EXPECT_EQ(shapes[i]->GetBounds().Left, i % 2 ? int(i) : 0);
    shapes.clear();
}

} // namespace
} // namespace sw::test
