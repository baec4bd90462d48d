#pragma once

#include "document/stream/largepages.h"
#include "document/stream/names.h"
#include "platform/graphicstypes.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <type_traits>
#include <vector>

namespace sw::stream {

class PropertyVisitor;

// Calls the visitor once per stored property of one object, in stream order.
using Describe = std::function<void(PropertyVisitor&)>;

// For the `omitWhen` arguments: the property is always written.
inline constexpr std::nullopt_t kAlways = std::nullopt;

// The values the writer leaves out; a reader then keeps the value the object
// already has.
template <class T> bool isOmitted(const T& value, const std::optional<T>& omitWhen)
{
    return value == omitWhen;
}
inline bool isOmitted(double value)
{
    return value == 0.0;
}
inline bool isOmitted(const QString& value)
{
    return value.isEmpty();
}
inline bool isOmitted(const QStringList& lines)
{
    return lines.isEmpty();
}

// An owned collection of records (`Papers`, `GPList`).
class CollectionAccess
{
public:
    virtual ~CollectionAccess() = default;
    // Names the items in read errors.
    virtual std::string_view itemClassName() const = 0;
    virtual std::size_t size() const = 0;
    virtual void describeItem(std::size_t index, PropertyVisitor& visitor) = 0;
    virtual void clear() = 0;
    // Makes room for `count` items in all, so that appending them moves none.
    virtual void reserve(std::size_t count) = 0;
    virtual void append() = 0; // a fresh item at the end
};

// An object's stored properties as seen by the writer (which writes each one
// unless the omission rule leaves it out) and by the reader (which sets the one
// a property name designates). The writer never changes the values.
class PropertyVisitor
{
public:
    virtual ~PropertyVisitor() = default;

    virtual void integer(std::string_view name, std::int32_t& value,
                         std::optional<std::int32_t> omitWhen) = 0;
    virtual void real(std::string_view name, double& value) = 0;    // left out when 0.0
    virtual void string(std::string_view name, QString& value) = 0; // left out when empty
    virtual void character(std::string_view name, QChar& value) = 0;
    virtual void boolean(std::string_view name, bool& value) = 0;
    virtual void enumeration(std::string_view name, int& ordinal, NameTable names,
                             std::optional<int> omitWhen) = 0;
    virtual void set(std::string_view name, std::uint32_t& members, NameTable names) = 0;
    virtual void colour(std::string_view name, TColor& value, std::optional<TColor> omitWhen) = 0;
    virtual void charset(std::string_view name, std::uint8_t& value) = 0;
    // A font, pen or brush: its properties under "<name>.".
    virtual void object(std::string_view name, const Describe& describe) = 0;
    // "<name>.Strings", left out when there is no line.
    virtual void strings(std::string_view name, QStringList& lines) = 0;
    virtual void collection(std::string_view name, CollectionAccess& items) = 0;
};

template <class E>
void enumeration(PropertyVisitor& visitor, std::string_view name, E& value,
                 std::type_identity_t<std::optional<E>> omitWhen)
{
    int ordinal = static_cast<int>(value);
    visitor.enumeration(name, ordinal, enumNames<E>(),
                        omitWhen ? std::optional<int>(static_cast<int>(*omitWhen)) : std::nullopt);
    value = static_cast<E>(ordinal);
}

// A std::vector of records; a fresh record is a copy of `fresh`.
template <class T> class VectorCollection final : public CollectionAccess
{
public:
    using DescribeItem = std::function<void(PropertyVisitor&, T&)>;

    VectorCollection(std::string_view itemClassName, std::vector<T>& items, DescribeItem describe,
                     T fresh)
        : m_className(itemClassName), m_items(items), m_describe(std::move(describe)),
          m_fresh(std::move(fresh))
    {
    }

    std::string_view itemClassName() const override { return m_className; }
    std::size_t size() const override { return m_items.size(); }
    void describeItem(std::size_t index, PropertyVisitor& visitor) override
    {
        m_describe(visitor, m_items[index]);
    }
    void clear() override { m_items.clear(); }
    void reserve(std::size_t count) override { reserveLarge(m_items, count); }
    void append() override { m_items.push_back(m_fresh); }

private:
    std::string_view m_className;
    std::vector<T>& m_items;
    DescribeItem m_describe;
    T m_fresh;
};

} // namespace sw::stream
