#pragma once

namespace sw {

// Keeps the SQL driver's own warnings off stderr on this thread while it
// lives. Qt's PostgreSQL driver runs statements of its own when it opens a
// connection and prints each failure raw ("no connection to the server");
// the program reports the failure in its own words instead. Other threads'
// messages, and critical ones, pass as before.
class QuietDriver
{
public:
    QuietDriver();
    ~QuietDriver();
    QuietDriver(const QuietDriver&) = delete;
    QuietDriver& operator=(const QuietDriver&) = delete;

private:
    bool m_wasQuiet;
};

} // namespace sw
