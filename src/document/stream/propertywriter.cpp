#include "document/stream/propertywriter.h"

#include "document/stream/bytewriter.h"
#include "document/stream/valuewriter.h"

#include <string>

namespace sw::stream {

namespace {

// Bytes kept before they go to a sink: few enough to stay in the cache.
constexpr qsizetype ChunkSize = 64 * 1024;

class PropertyWriter final : public PropertyVisitor
{
public:
    PropertyWriter(ByteWriter& out, std::string prefix) : m_out(out), m_prefix(std::move(prefix)) {}

    void integer(std::string_view name, std::int32_t& value,
                 std::optional<std::int32_t> omitWhen) override
    {
        if (isOmitted(value, omitWhen))
            return;
        writeName(name);
        writeInteger(m_out, value);
    }

    void real(std::string_view name, double& value) override
    {
        if (isOmitted(value))
            return;
        writeName(name);
        writeFloat(m_out, value);
    }

    void string(std::string_view name, QString& value) override
    {
        if (isOmitted(value))
            return;
        writeName(name);
        writeString(m_out, value);
    }

    void character(std::string_view name, QChar& value) override
    {
        writeName(name);
        writeCharacter(m_out, value);
    }

    void boolean(std::string_view name, bool& value) override
    {
        writeName(name);
        writeBoolean(m_out, value);
    }

    void enumeration(std::string_view name, int& ordinal, NameTable names,
                     std::optional<int> omitWhen) override
    {
        if (isOmitted(ordinal, omitWhen))
            return;
        Q_ASSERT(ordinal >= 0 && static_cast<std::size_t>(ordinal) < names.size());
        writeName(name);
        writeIdent(m_out, names[static_cast<std::size_t>(ordinal)]);
    }

    void set(std::string_view name, std::uint32_t& members, NameTable names) override
    {
        writeName(name);
        writeSet(m_out, members, names);
    }

    void colour(std::string_view name, TColor& value, std::optional<TColor> omitWhen) override
    {
        if (isOmitted(value, omitWhen))
            return;
        writeName(name);
        writeColour(m_out, value);
    }

    void charset(std::string_view name, std::uint8_t& value) override
    {
        writeName(name);
        writeCharset(m_out, value);
    }

    void object(std::string_view name, const Describe& describe) override
    {
        PropertyWriter nested(m_out, m_prefix + std::string(name) + '.');
        describe(nested);
    }

    void strings(std::string_view name, QStringList& lines) override
    {
        if (isOmitted(lines))
            return;
        m_out.writeShortString(prefixBytes(), view(name), ".Strings");
        writeStringList(m_out, lines);
    }

    void collection(std::string_view name, CollectionAccess& items) override
    {
        writeName(name);
        m_out.writeTag(Tag::Collection);
        for (std::size_t i = 0; i < items.size(); ++i) {
            m_out.writeTag(Tag::List);
            PropertyWriter item(m_out, {});
            items.describeItem(i, item);
            m_out.writeTag(Tag::End);
        }
        m_out.writeTag(Tag::End);
    }

private:
    static QByteArrayView view(std::string_view s) { return {s.data(), qsizetype(s.size())}; }

    void writeName(std::string_view name) { m_out.writeShortString(prefixBytes(), view(name)); }

    QByteArrayView prefixBytes() const { return {m_prefix.data(), qsizetype(m_prefix.size())}; }

    ByteWriter& m_out;
    std::string m_prefix; // short enough to need no allocation
};

void writeRoot(ByteWriter& out, std::string_view className, const Describe& describe)
{
    out.writeBytes(QByteArrayView(kSignature.data(), qsizetype(kSignature.size())));
    out.writeShortString(QByteArrayView(className.data(), qsizetype(className.size())));
    out.writeShortString(QByteArrayView()); // component name
    PropertyWriter root(out, {});
    describe(root);
    out.writeTag(Tag::End); // end of properties
    out.writeTag(Tag::End); // end of sub-components
}

} // namespace

QByteArray writeComponent(std::string_view className, const Describe& describe, qsizetype sizeHint)
{
    ByteWriter out;
    out.reserve(sizeHint);
    writeRoot(out, className, describe);
    return out.take();
}

bool writeComponent(std::string_view className, const Describe& describe, const ByteSink& sink)
{
    ByteWriter out(sink, ChunkSize);
    writeRoot(out, className, describe);
    return out.finish();
}

} // namespace sw::stream
