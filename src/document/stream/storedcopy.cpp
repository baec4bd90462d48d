#include "document/stream/storedcopy.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace sw::stream {

namespace {

// One property as the writer would store it: left out, or its value. Every
// scalar kind fits `number`, a collection keeps its item count there, and
// texts are the source's own (which outlives the copy).
struct StoredValue
{
    bool written = false;
    union {
        std::int64_t number = 0;
        double real;
        const QString* text;
        const QStringList* lines;
    };
};

using Tape = std::vector<StoredValue>;

// Visits the source and notes each property in visiting order.
class Recorder final : public PropertyVisitor
{
public:
    explicit Recorder(Tape& tape) : m_tape(tape) {}

    void integer(std::string_view, std::int32_t& value,
                 std::optional<std::int32_t> omitWhen) override
    {
        number(!isOmitted(value, omitWhen), value);
    }
    void real(std::string_view, double& value) override
    {
        StoredValue& stored = m_tape.emplace_back();
        stored.written = !isOmitted(value);
        stored.real = value;
    }
    void string(std::string_view, QString& value) override
    {
        StoredValue& stored = m_tape.emplace_back();
        stored.written = !isOmitted(value);
        stored.text = &value;
    }
    void character(std::string_view, QChar& value) override { number(true, value.unicode()); }
    void boolean(std::string_view, bool& value) override { number(true, value); }
    void enumeration(std::string_view, int& ordinal, NameTable,
                     std::optional<int> omitWhen) override
    {
        number(!isOmitted(ordinal, omitWhen), ordinal);
    }
    void set(std::string_view, std::uint32_t& members, NameTable) override
    {
        number(true, members);
    }
    void colour(std::string_view, TColor& value, std::optional<TColor> omitWhen) override
    {
        number(!isOmitted(value, omitWhen), value);
    }
    void charset(std::string_view, std::uint8_t& value) override { number(true, value); }
    void object(std::string_view, const Describe& describe) override { describe(*this); }
    void strings(std::string_view, QStringList& lines) override
    {
        StoredValue& stored = m_tape.emplace_back();
        stored.written = !isOmitted(lines);
        stored.lines = &lines;
    }
    void collection(std::string_view, CollectionAccess& items) override
    {
        number(true, std::int64_t(items.size()));
        const std::size_t start = m_tape.size();
        for (std::size_t i = 0; i < items.size(); ++i) {
            items.describeItem(i, *this);
            // Items of one class take about as many entries each.
            if (i == 0)
                m_tape.reserve(start + (m_tape.size() - start) * items.size() + 64);
        }
    }

private:
    void number(bool written, std::int64_t value)
    {
        StoredValue& stored = m_tape.emplace_back();
        stored.written = written;
        stored.number = value;
    }

    Tape& m_tape;
};

// Visits the target and sets each property the tape holds as written.
class Player final : public PropertyVisitor
{
public:
    explicit Player(const Tape& tape) : m_tape(tape) {}

    void integer(std::string_view, std::int32_t& value, std::optional<std::int32_t>) override
    {
        if (const StoredValue* stored = next())
            value = std::int32_t(stored->number);
    }
    void real(std::string_view, double& value) override
    {
        if (const StoredValue* stored = next())
            value = stored->real;
    }
    void string(std::string_view, QString& value) override
    {
        if (const StoredValue* stored = next())
            value = *stored->text;
    }
    void character(std::string_view, QChar& value) override
    {
        if (const StoredValue* stored = next())
            value = QChar(char16_t(stored->number));
    }
    void boolean(std::string_view, bool& value) override
    {
        if (const StoredValue* stored = next())
            value = stored->number != 0;
    }
    void enumeration(std::string_view, int& ordinal, NameTable, std::optional<int>) override
    {
        if (const StoredValue* stored = next())
            ordinal = int(stored->number);
    }
    void set(std::string_view, std::uint32_t& members, NameTable) override
    {
        if (const StoredValue* stored = next())
            members = std::uint32_t(stored->number);
    }
    void colour(std::string_view, TColor& value, std::optional<TColor>) override
    {
        if (const StoredValue* stored = next())
            value = TColor(stored->number);
    }
    void charset(std::string_view, std::uint8_t& value) override
    {
        if (const StoredValue* stored = next())
            value = std::uint8_t(stored->number);
    }
    void object(std::string_view, const Describe& describe) override { describe(*this); }
    void strings(std::string_view, QStringList& lines) override
    {
        if (const StoredValue* stored = next())
            lines = *stored->lines;
    }
    void collection(std::string_view, CollectionAccess& items) override
    {
        const auto count = std::size_t(next()->number);
        if (count > 0) {
            items.clear();
            items.reserve(count);
        }
        for (std::size_t i = 0; i < count; ++i) {
            items.append();
            items.describeItem(i, *this);
        }
    }

private:
    // The next property; nullptr when the writer would leave it out.
    const StoredValue* next()
    {
        const StoredValue& stored = m_tape.at(m_position++);
        return stored.written ? &stored : nullptr;
    }

    const Tape& m_tape;
    std::size_t m_position = 0;
};

} // namespace

void copyAsStored(const Describe& describeSource, const Describe& describeTarget)
{
    Tape tape;
    Recorder recorder(tape);
    describeSource(recorder);
    Player player(tape);
    describeTarget(player);
}

} // namespace sw::stream
