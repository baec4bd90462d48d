#pragma once

#include <QString>
#include <QtGlobal>
#include <condition_variable>
#include <mutex>

namespace sw {

// Memory shared by work running at once (the scans read in parallel): each
// piece of work takes what it will allocate before allocating it and gives it
// back when done. A piece asking for more than is free waits for the others;
// one asking for more than the whole budget is refused.
class MemoryBudget
{
public:
    explicit MemoryBudget(qint64 bytes) : m_total(bytes), m_free(bytes) {}

    // What one piece of work holds; given back on destruction.
    class Share
    {
    public:
        Share() = default;
        ~Share() { release(); }
        Share(Share&& other) noexcept { *this = std::move(other); }
        Share& operator=(Share&& other) noexcept;
        Share(const Share&) = delete;
        Share& operator=(const Share&) = delete;

        qint64 bytes() const { return m_bytes; }
        void release();

    private:
        friend class MemoryBudget;
        MemoryBudget* m_budget = nullptr;
        qint64 m_bytes = 0;
    };

    // Gives back what `share` held and takes `bytes` into it, waiting while
    // others hold too much. A piece takes its whole share at once, so no two
    // pieces wait for each other. False, and the reason in *error, when
    // `bytes` exceeds the whole budget.
    bool take(Share& share, qint64 bytes, QString* error = nullptr);

    qint64 total() const { return m_total; }

private:
    void giveBack(qint64 bytes);

    const qint64 m_total;
    qint64 m_free;
    std::mutex m_mutex;
    std::condition_variable m_returned;
};

} // namespace sw
