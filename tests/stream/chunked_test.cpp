// The template stream handed over in chunks.
#include "document/templatestream.h"
#include "samples.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

// Enough shapes for the stream to take several chunks.
StoredDocument largeDocument()
{
    StoredDocument d = fullDocument();
    d.GPList.assign(400, fullShape());
    return d;
}

TEST(ChunkedWriting, HandsOverTheBytesOfTheWholeStream)
{
    const StoredDocument d = largeDocument();
    QByteArray joined;
    int chunks = 0;
    const bool complete = writeTemplate(d, [&](QByteArrayView chunk) {
        joined.append(chunk);
        ++chunks;
        return true;
    });
    EXPECT_TRUE(complete);
    EXPECT_GT(chunks, 1);
    EXPECT_EQ(joined, writeTemplate(d));
}

TEST(ChunkedWriting, HandsOverNothingAfterARefusal)
{
    int chunks = 0;
    const bool complete = writeTemplate(largeDocument(), [&](QByteArrayView) {
        ++chunks;
        return false;
    });
    EXPECT_FALSE(complete);
    EXPECT_EQ(chunks, 1);
}

} // namespace
} // namespace sw::test
