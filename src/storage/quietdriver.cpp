#include "storage/quietdriver.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <mutex>

namespace sw {

namespace {

thread_local bool t_quiet = false;
QtMessageHandler g_previous = nullptr;
std::once_flag g_installed;

void filterDriverMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (t_quiet && (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg))
        return;
    if (g_previous) {
        g_previous(type, context, message);
    } else {
        std::fputs(qPrintable(qFormatLogMessage(type, context, message) + QLatin1Char('\n')),
                   stderr);
    }
}

} // namespace

QuietDriver::QuietDriver() : m_wasQuiet(t_quiet)
{
    // Installed once and kept: handlers installed later chain to it.
    std::call_once(g_installed, [] { g_previous = qInstallMessageHandler(filterDriverMessages); });
    t_quiet = true;
}

QuietDriver::~QuietDriver()
{
    t_quiet = m_wasQuiet;
}

} // namespace sw
