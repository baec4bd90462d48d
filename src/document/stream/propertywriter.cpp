#include "document/stream/propertywriter.h"

#include "document/stream/bytewriter.h"
#include "document/stream/valuewriter.h"

#include <string>

namespace sw::stream {

namespace {

class PropertyWriter final : public PropertyVisitor
{
public:
    PropertyWriter(ByteWriter& out, std::string prefix) : out_(out), prefix_(std::move(prefix)) {}

    void integer(std::string_view name, std::int32_t& value,
                 std::optional<std::int32_t> omitWhen) override
    {
        if (value == omitWhen)
            return;
        writeName(name);
        writeInteger(out_, value);
    }

    void real(std::string_view name, double& value) override
    {
        if (value == 0.0)
            return;
        writeName(name);
        writeFloat(out_, value);
    }

    void string(std::string_view name, QString& value) override
    {
        if (value.isEmpty())
            return;
        writeName(name);
        writeString(out_, value);
    }

    void character(std::string_view name, QChar& value) override
    {
        writeName(name);
        writeCharacter(out_, value);
    }

    void boolean(std::string_view name, bool& value) override
    {
        writeName(name);
        writeBoolean(out_, value);
    }

    void enumeration(std::string_view name, int& ordinal, NameTable names,
                     std::optional<int> omitWhen) override
    {
        if (ordinal == omitWhen)
            return;
        Q_ASSERT(ordinal >= 0 && static_cast<std::size_t>(ordinal) < names.size());
        writeName(name);
        writeIdent(out_, names[static_cast<std::size_t>(ordinal)]);
    }

    void set(std::string_view name, std::uint32_t& members, NameTable names) override
    {
        writeName(name);
        writeSet(out_, members, names);
    }

    void colour(std::string_view name, TColor& value, std::optional<TColor> omitWhen) override
    {
        if (value == omitWhen)
            return;
        writeName(name);
        writeColour(out_, value);
    }

    void charset(std::string_view name, std::uint8_t& value) override
    {
        writeName(name);
        writeCharset(out_, value);
    }

    void object(std::string_view name, const Describe& describe) override
    {
        PropertyWriter nested(out_, prefix_ + std::string(name) + '.');
        describe(nested);
    }

    void strings(std::string_view name, QStringList& lines) override
    {
        if (lines.isEmpty())
            return;
        out_.writeShortString(prefixBytes(), bytes(name) + ".Strings");
        writeStringList(out_, lines);
    }

    void collection(std::string_view name, CollectionAccess& items) override
    {
        writeName(name);
        out_.writeTag(Tag::Collection);
        for (std::size_t i = 0; i < items.size(); ++i) {
            out_.writeTag(Tag::List);
            PropertyWriter item(out_, {});
            items.describeItem(i, item);
            out_.writeTag(Tag::End);
        }
        out_.writeTag(Tag::End);
    }

private:
    static QByteArray bytes(std::string_view s)
    {
        return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
    }

    void writeName(std::string_view name)
    {
        out_.writeShortString(prefixBytes(), QByteArrayView(name.data(), qsizetype(name.size())));
    }

    QByteArrayView prefixBytes() const { return {prefix_.data(), qsizetype(prefix_.size())}; }

    ByteWriter& out_;
    std::string prefix_; // short enough to need no allocation
};

} // namespace

QByteArray writeComponent(std::string_view className, const Describe& describe)
{
    ByteWriter out;
    out.writeBytes(QByteArrayView(kSignature.data(), qsizetype(kSignature.size())));
    out.writeShortString(QByteArrayView(className.data(), qsizetype(className.size())));
    out.writeShortString(QByteArrayView()); // component name
    PropertyWriter root(out, {});
    describe(root);
    out.writeTag(Tag::End); // end of properties
    out.writeTag(Tag::End); // end of sub-components
    return out.bytes();
}

} // namespace sw::stream
