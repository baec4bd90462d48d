#include "document/stream/propertyreader.h"

#include "document/stream/bytereader.h"
#include "document/stream/errors.h"
#include "document/stream/format.h"
#include "document/stream/valuereader.h"

#include <QVarLengthArray>

namespace sw::stream {

namespace {

void readProperties(ByteReader& in, std::string_view className, const Describe& describe);

// The parts of a dotted property name, as views into it.
using PathParts = QVarLengthArray<QByteArrayView, 4>;

PathParts splitPath(QByteArrayView name)
{
    PathParts parts;
    qsizetype start = 0;
    for (qsizetype dot = name.indexOf('.'); dot >= 0; dot = name.indexOf('.', start)) {
        parts.append(name.sliced(start, dot - start));
        start = dot + 1;
    }
    parts.append(name.sliced(start));
    return parts;
}

bool equals(QByteArrayView part, std::string_view name)
{
    return part == QByteArrayView(name.data(), qsizetype(name.size()));
}

bool atItemIndex(const ByteReader& in)
{
    const std::uint8_t next = in.peekByte();
    return next == std::uint8_t(Tag::Int8) || next == std::uint8_t(Tag::Int16) ||
           next == std::uint8_t(Tag::Int32);
}

// The items of a collection from `in` on, counted ahead so that they are stored
// without moving: those that can be stepped over (reading names any fault).
std::size_t countItems(ByteReader in)
{
    std::size_t count = 0;
    try {
        while (in.peekByte() != std::uint8_t(Tag::End)) {
            if (atItemIndex(in))
                readInteger(in);
            if (static_cast<Tag>(in.readByte()) != Tag::List)
                return count;
            for (QByteArrayView name = in.readShortString(); !name.isEmpty();
                 name = in.readShortString()) {
                if (!skipValue(in))
                    return count;
            }
            ++count;
        }
    } catch (const StreamError&) { // cut short: the items before
    }
    return count;
}

// Collection value: the items, each optionally preceded by an item index that
// other writers put there.
void readCollection(ByteReader& in, CollectionAccess& items)
{
    if (static_cast<Tag>(in.readByte()) != Tag::Collection)
        fail(invalidPropertyValue());
    if (in.peekByte() != std::uint8_t(Tag::End)) {
        items.clear();
        items.reserve(countItems(in));
    }
    while (in.peekByte() != std::uint8_t(Tag::End)) {
        if (atItemIndex(in))
            readInteger(in);
        items.append();
        if (static_cast<Tag>(in.readByte()) != Tag::List)
            fail(invalidPropertyValue());
        const std::size_t index = items.size() - 1;
        readProperties(in, items.itemClassName(),
                       [&items, index](PropertyVisitor& v) { items.describeItem(index, v); });
    }
    in.readByte();
}

// Finds the property that parts[index..] of a dotted name designate and reads
// its value.
class PathReader final : public PropertyVisitor
{
public:
    PathReader(ByteReader& in, const PathParts& parts, qsizetype index)
        : m_in(in), m_parts(parts), m_index(index)
    {
    }

    // After the object's properties were visited: the part must have named one.
    void requireFound() const
    {
        if (!m_found)
            fail(propertyDoesNotExist(QString::fromLatin1(m_parts[m_index])));
    }

    void integer(std::string_view name, std::int32_t& value, std::optional<std::int32_t>) override
    {
        if (claimsValue(name))
            value = readInteger(m_in);
    }

    void real(std::string_view name, double& value) override
    {
        if (claimsValue(name))
            value = readFloat(m_in);
    }

    void string(std::string_view name, QString& value) override
    {
        if (claimsValue(name))
            readString(m_in, value);
    }

    void character(std::string_view name, QChar& value) override
    {
        if (claimsValue(name))
            value = readCharacter(m_in);
    }

    void boolean(std::string_view name, bool& value) override
    {
        if (claimsValue(name))
            value = readBoolean(m_in);
    }

    void enumeration(std::string_view name, int& ordinal, NameTable names,
                     std::optional<int>) override
    {
        if (claimsValue(name))
            ordinal = readEnumeration(m_in, names);
    }

    void set(std::string_view name, std::uint32_t& members, NameTable names) override
    {
        if (claimsValue(name))
            members = readSet(m_in, names);
    }

    void colour(std::string_view name, TColor& value, std::optional<TColor>) override
    {
        if (claimsValue(name))
            value = readColour(m_in);
    }

    void charset(std::string_view name, std::uint8_t& value) override
    {
        if (claimsValue(name))
            value = readCharset(m_in);
    }

    // A font, pen, brush or string list is never assigned as a whole, not even
    // "nil" (0x0D): only its own properties are.
    void object(std::string_view name, const Describe& describe) override
    {
        if (!claims(name))
            return;
        if (last())
            fail(invalidPropertyValue());
        PathReader nested(m_in, m_parts, m_index + 1);
        describe(nested);
        nested.requireFound();
    }

    void strings(std::string_view name, QStringList& lines) override
    {
        if (!claims(name))
            return;
        if (last())
            fail(invalidPropertyValue());
        // A string list has one property of its own.
        const QByteArrayView next = m_parts[m_index + 1];
        if (!equals(next, "Strings"))
            fail(propertyDoesNotExist(QString::fromLatin1(next)));
        if (m_index + 2 != m_parts.size())
            fail(invalidPropertyPath());
        lines = readStringList(m_in);
    }

    void collection(std::string_view name, CollectionAccess& items) override
    {
        if (!claims(name))
            return;
        if (!last()) // a collection has no properties of its own
            fail(propertyDoesNotExist(QString::fromLatin1(m_parts[m_index + 1])));
        readCollection(m_in, items);
    }

private:
    bool last() const { return m_index + 1 == m_parts.size(); }

    bool claims(std::string_view name)
    {
        if (m_found || !equals(m_parts[m_index], name))
            return false;
        m_found = true;
        return true;
    }

    // A plain value: nothing may follow its name in the path.
    bool claimsValue(std::string_view name)
    {
        if (!claims(name))
            return false;
        if (!last())
            fail(invalidPropertyPath());
        return true;
    }

    ByteReader& m_in;
    const PathParts& m_parts;
    qsizetype m_index;
    bool m_found = false;
};

// Reads the pairs that come in the order of the description in one walk
// over it. The writer writes that order, so a record costs one walk instead of
// one per property. `pending` is the name of the next unread pair (empty at
// the end); what does not come in order stays pending for the path lookup.
class OrderedReader final : public PropertyVisitor
{
public:
    OrderedReader(ByteReader& in, std::string_view className, QByteArrayView& pending,
                  QByteArrayView prefix = {})
        : m_in(in), m_className(className), m_pending(pending), m_prefix(prefix)
    {
    }

    void integer(std::string_view name, std::int32_t& value, std::optional<std::int32_t>) override
    {
        take(name, [&] { value = readInteger(m_in); });
    }

    void real(std::string_view name, double& value) override
    {
        take(name, [&] { value = readFloat(m_in); });
    }

    void string(std::string_view name, QString& value) override
    {
        take(name, [&] { readString(m_in, value); });
    }

    void character(std::string_view name, QChar& value) override
    {
        take(name, [&] { value = readCharacter(m_in); });
    }

    void boolean(std::string_view name, bool& value) override
    {
        take(name, [&] { value = readBoolean(m_in); });
    }

    void enumeration(std::string_view name, int& ordinal, NameTable names,
                     std::optional<int>) override
    {
        take(name, [&] { ordinal = readEnumeration(m_in, names); });
    }

    void set(std::string_view name, std::uint32_t& members, NameTable names) override
    {
        take(name, [&] { members = readSet(m_in, names); });
    }

    void colour(std::string_view name, TColor& value, std::optional<TColor>) override
    {
        take(name, [&] { value = readColour(m_in); });
    }

    void charset(std::string_view name, std::uint8_t& value) override
    {
        take(name, [&] { value = readCharset(m_in); });
    }

    void object(std::string_view name, const Describe& describe) override
    {
        if (!pendingStartsWith(name, "."))
            return;
        OrderedReader nested(m_in, m_className, m_pending, pendingHead(name.size() + 1));
        describe(nested);
    }

    void strings(std::string_view name, QStringList& lines) override
    {
        if (pendingStartsWith(name, ".Strings") && m_pending.size() == pendingLength(name) + 8)
            read([&] { lines = readStringList(m_in); });
    }

    void collection(std::string_view name, CollectionAccess& items) override
    {
        take(name, [&] { readCollection(m_in, items); });
    }

private:
    qsizetype pendingLength(std::string_view name) const
    {
        return m_prefix.size() + qsizetype(name.size());
    }

    // The pending name is the prefix, `name` and `tail`, maybe followed by more.
    bool pendingStartsWith(std::string_view name, std::string_view tail) const
    {
        const QByteArrayView pending(m_pending);
        const qsizetype length = pendingLength(name);
        return pending.size() >= length + qsizetype(tail.size()) && pending.startsWith(m_prefix) &&
               pending.sliced(m_prefix.size(), qsizetype(name.size())) ==
                   QByteArrayView(name.data(), qsizetype(name.size())) &&
               pending.sliced(length, qsizetype(tail.size())) ==
                   QByteArrayView(tail.data(), qsizetype(tail.size()));
    }

    QByteArrayView pendingHead(std::size_t nameLength) const
    {
        return m_pending.first(m_prefix.size() + qsizetype(nameLength));
    }

    template <class Read> void take(std::string_view name, Read value)
    {
        if (m_pending.size() == pendingLength(name) && pendingStartsWith(name, {}))
            read(value);
    }

    // Reads the pending pair's value, with errors named as the path lookup
    // names them, and moves on to the next pair.
    template <class Read> void read(Read value)
    {
        try {
            value();
        } catch (const StreamError& e) {
            fail(
                errorReading(QString::fromLatin1(m_className.data(), qsizetype(m_className.size())),
                             QString::fromLatin1(m_pending), e.message));
        }
        m_pending = m_in.readShortString();
    }

    ByteReader& m_in;
    std::string_view m_className;
    QByteArrayView& m_pending; // a view into the stream, like the prefix
    QByteArrayView m_prefix;
};

// Pairs until an empty name. Errors of a pair name its owner and path. The
// recursion follows the described objects, not the data, so the nesting depth
// is fixed by the descriptions whatever the input.
void readProperties(ByteReader& in, std::string_view className, const Describe& describe)
{
    QByteArrayView name = in.readShortString();
    if (!name.isEmpty()) {
        OrderedReader ordered(in, className, name);
        describe(ordered);
    }
    // Pairs out of order, unknown names and malformed paths.
    for (; !name.isEmpty(); name = in.readShortString()) {
        try {
            const PathParts parts = splitPath(name);
            PathReader reader(in, parts, 0);
            describe(reader);
            reader.requireFound();
        } catch (const StreamError& e) {
            fail(errorReading(QString::fromLatin1(className.data(), qsizetype(className.size())),
                              QString::fromLatin1(name), e.message));
        }
    }
}

} // namespace

bool readComponent(QByteArrayView bytes, std::string_view className, const Describe& describe,
                   QString* error)
{
    try {
        ByteReader in(bytes);
        if (in.readBytes(kSignature.size()) !=
            QByteArrayView(kSignature.data(), qsizetype(kSignature.size())))
            fail(invalidStreamFormat());
        in.readShortString(); // class name, not checked
        in.readShortString(); // component name, not used
        readProperties(in, className, describe);
        if (in.readByte() != std::uint8_t(Tag::End)) // no sub-component is known
            fail(invalidStreamFormat());
        return true;
    } catch (const StreamError& e) {
        if (error)
            *error = e.message;
        return false;
    }
}

} // namespace sw::stream
