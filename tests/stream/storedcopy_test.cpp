// Copying records as the stream stores them gives what writing them and reading
// the bytes back gives, property for property.
#include "document/templatestream.h"
#include "samples.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

// The document a load starts from: the live settings, no records or lists.
StoredDocument loadTarget(const StoredDocument& live)
{
    StoredDocument target = live;
    target.Papers.clear();
    target.GPList.clear();
    target.Geifen.clear();
    return target;
}

StoredDocument throughStream(const StoredDocument& source, const StoredDocument& live)
{
    StoredDocument target = loadTarget(live);
    QString error;
    EXPECT_TRUE(readTemplate(writeTemplate(source), target, kPpi, &error)) << error.toStdString();
    return target;
}

StoredDocument throughCopy(const StoredDocument& source, const StoredDocument& live)
{
    StoredDocument target = loadTarget(live);
    copyTemplate(source, target, kPpi);
    return target;
}

// Every stored property at the value the writer leaves out, where a fresh
// record or the live document may hold another one.
StoredDocument atOmittedValues()
{
    StoredDocument d;
    d.Tag = 0;
    d.CopyRight.clear();
    d.DWW = 0.0;
    d.DWH = 0.0;
    d.Papers.push_back(TPaper{});
    TGPS shape(kPpi);
    shape.Font.Name.clear();
    shape.NumberFont.Name.clear();
    shape.X1 = -0.0;
    shape.Text = {QString()}; // one empty line is a line
    d.GPList.push_back(shape);
    return d;
}

TEST(StoredCopy, GivesWhatTheStreamGivesForEverySample)
{
    std::vector<std::pair<QString, StoredDocument>> sources;
    for (const SampleStream& sample : sampleStreams()) {
        StoredDocument read;
        QString error;
        ASSERT_TRUE(readTemplate(sample.bytes, read, kPpi, &error)) << error.toStdString();
        sources.emplace_back(sample.name, read);
    }
    sources.emplace_back(QStringLiteral("full"), fullDocument());
    sources.emplace_back(QStringLiteral("omitted values"), atOmittedValues());

    const StoredDocument lives[] = {StoredDocument{}, fullDocument(), atOmittedValues()};
    for (const auto& [name, source] : sources) {
        for (const StoredDocument& live : lives)
            EXPECT_EQ(throughCopy(source, live), throughStream(source, live)) << name.toStdString();
    }
}

TEST(StoredCopy, LeftOutPropertiesKeepTheLiveValuesAndFreshRecordValues)
{
    const StoredDocument copied = throughCopy(atOmittedValues(), fullDocument());
    EXPECT_EQ(copied.Tag, fullDocument().Tag);
    EXPECT_EQ(copied.CopyRight, fullDocument().CopyRight);
    EXPECT_EQ(copied.DWW, fullDocument().DWW);
    EXPECT_EQ(copied.Locked, false); // always stored
    ASSERT_EQ(copied.GPList.size(), 1u);
    EXPECT_EQ(copied.GPList[0].Font.Name, recordDefaultFont(kPpi).Name);
    EXPECT_EQ(copied.GPList[0].Text, QStringList{QString()});
}

TEST(StoredCopy, ACollectionWithoutItemsLeavesTheTargetsAlone)
{
    StoredDocument live = fullDocument();
    StoredDocument target = live;
    copyTemplate(StoredDocument{}, target, kPpi);
    EXPECT_EQ(target.GPList, live.GPList);
    EXPECT_EQ(target.Papers, live.Papers);
}

} // namespace
} // namespace sw::test
