// The fuzzer's seed corpus and a fixed set of mutations of it through the
// reader: every input ends in a document or an error.
#include "document/templatestream.h"
#include "samples.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <random>

namespace sw::test {
namespace {

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Reads `bytes`; a readable stream must survive writing and reading again,
// and be stable from then on.
void checkInput(const QByteArray& bytes, const char* label)
{
    StoredDocument first;
    QString error;
    if (!readTemplate(bytes, first, kPpi, &error)) {
        ASSERT_FALSE(error.isEmpty()) << label;
        return;
    }
    const auto reread = [label](const StoredDocument& from) {
        StoredDocument to = from;
        to.Papers.clear();
        to.GPList.clear();
        QString e;
        EXPECT_TRUE(readTemplate(writeTemplate(from), to, kPpi, &e)) << label << e.toStdString();
        return to;
    };
    const StoredDocument second = reread(first);
    const StoredDocument third = reread(second);
    ASSERT_EQ(writeTemplate(second), writeTemplate(third)) << label;
}

// The corpus files are the sample streams; SW_WRITE_CORPUS=<dir> writes them.
TEST(SeedCorpus, MatchesSampleStreams)
{
    const QString target = qEnvironmentVariable("SW_WRITE_CORPUS");
    for (const SampleStream& s : sampleStreams()) {
        if (!target.isEmpty()) {
            QFile f(QDir(target).filePath(s.name + QStringLiteral(".exm")));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(s.bytes);
        }
        EXPECT_EQ(
            readFile(QStringLiteral(SW_FUZZ_CORPUS_DIR "/") + s.name + QStringLiteral(".exm")),
            s.bytes)
            << s.name.toStdString() << " differs from the committed corpus";
    }
}

TEST(SeedCorpus, EverySampleReads)
{
    for (const SampleStream& s : sampleStreams()) {
        StoredDocument d;
        QString error;
        EXPECT_TRUE(readTemplate(s.bytes, d, kPpi, &error))
            << s.name.toStdString() << ": " << error.toStdString();
    }
}

std::vector<QByteArray> corpus()
{
    std::vector<QByteArray> inputs;
    const QDir dir(QStringLiteral(SW_FUZZ_CORPUS_DIR));
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
        inputs.push_back(readFile(dir.filePath(name)));
    return inputs;
}

TEST(SeedCorpus, ReplaysThroughTheReader)
{
    const auto inputs = corpus();
    ASSERT_FALSE(inputs.empty());
    for (const QByteArray& input : inputs)
        checkInput(input, "corpus");
}

// Truncations, bit flips, interesting bytes, insertions, deletions and
// duplications at positions drawn from a fixed seed.
QByteArray mutate(const QByteArray& input, std::mt19937& random)
{
    QByteArray out = input;
    const auto at = [&](qsizetype size) {
        return size == 0 ? 0 : static_cast<qsizetype>(random() % static_cast<unsigned>(size));
    };
    static const char interesting[] = {0x00, 0x01, 0x02, 0x04, 0x05, 0x06, 0x07,       0x0B,
                                       0x0C, 0x0D, 0x0E, 0x12, 0x14, 0x7F, char(0x80), char(0xFF)};
    const int steps = 1 + static_cast<int>(random() % 3);
    for (int i = 0; i < steps; ++i) {
        switch (random() % 7) {
        case 0:
            out.truncate(at(out.size() + 1));
            break;
        case 1:
            if (!out.isEmpty())
                out[at(out.size())] ^= char(1u << (random() % 8));
            break;
        case 2:
            if (!out.isEmpty())
                out[at(out.size())] = interesting[random() % sizeof(interesting)];
            break;
        case 3:
            out.insert(at(out.size() + 1), interesting[random() % sizeof(interesting)]);
            break;
        case 4: {
            const qsizetype from = at(out.size() + 1);
            out.remove(from, 1 + static_cast<qsizetype>(random() % 16));
            break;
        }
        case 5: {
            const qsizetype from = at(out.size() + 1);
            out.insert(at(out.size() + 1),
                       out.mid(from, 1 + static_cast<qsizetype>(random() % 64)));
            break;
        }
        default:
            if (out.size() >= 4) { // a length or count of 32 bits
                const qsizetype from = at(out.size() - 3);
                for (int k = 0; k < 4; ++k)
                    out[from + k] = char(random());
            }
            break;
        }
    }
    return out;
}

TEST(SeedCorpus, DeterministicMutations)
{
    const auto inputs = corpus();
    ASSERT_FALSE(inputs.empty());
    std::mt19937 random(20240601);
    int readable = 0;
    for (int i = 0; i < 3000; ++i) {
        const QByteArray input = mutate(inputs[i % inputs.size()], random);
        StoredDocument d;
        if (readTemplate(input, d, kPpi))
            ++readable;
        checkInput(input, "mutation");
        if (HasFatalFailure())
            FAIL() << "mutation " << i << ": " << input.toHex(' ').constData();
    }
    // Some mutations keep the stream readable, most break it.
    EXPECT_GT(readable, 0);
    EXPECT_LT(readable, 3000);
}

} // namespace
} // namespace sw::test
