#include "platform/memorybudget.h"

#include <utility>

namespace sw {

namespace {

QString megabytes(qint64 bytes)
{
    return QString::number((bytes + (1 << 20) - 1) >> 20);
}

} // namespace

MemoryBudget::Share& MemoryBudget::Share::operator=(Share&& other) noexcept
{
    if (this != &other) {
        release();
        m_budget = std::exchange(other.m_budget, nullptr);
        m_bytes = std::exchange(other.m_bytes, 0);
    }
    return *this;
}

void MemoryBudget::Share::release()
{
    if (m_budget)
        m_budget->giveBack(m_bytes);
    m_budget = nullptr;
    m_bytes = 0;
}

bool MemoryBudget::take(Share& share, qint64 bytes, QString* error)
{
    share.release();
    if (bytes < 0 || bytes > m_total) {
        if (error)
            *error = QStringLiteral("needs %1 MB of memory, more than the %2 MB allowed")
                         .arg(megabytes(std::max<qint64>(bytes, 0)), megabytes(m_total));
        return false;
    }
    std::unique_lock lock(m_mutex);
    m_returned.wait(lock, [&] { return m_free >= bytes; });
    m_free -= bytes;
    share.m_budget = this;
    share.m_bytes = bytes;
    return true;
}

void MemoryBudget::giveBack(qint64 bytes)
{
    {
        const std::lock_guard lock(m_mutex);
        m_free += bytes;
    }
    m_returned.notify_all();
}

} // namespace sw
