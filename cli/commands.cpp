#include "cli/commands.h"

namespace sw::cli {

int runNew(const QStringList& args);
int runInfo(const QStringList& args);
int runCheck(const QStringList& args);
int runResave(const QStringList& args);

namespace {
int g_screenPpi = 96;
}

int screenPpi()
{
    return g_screenPpi;
}

void setScreenPpi(int ppi)
{
    g_screenPpi = ppi;
}

const std::vector<Command>& commands()
{
    static const std::vector<Command> all = {
        {"new", "new OUT.exm",
         "Writes the document the designer starts with: paper type A, one page.", runNew},
        {"info", "info IN.exm [--raw]",
         "Prints the template as JSON, as the designer shows it after opening; with --raw as "
         "loaded, before renumbering and mark layout.",
         runInfo},
        {"check", "check IN.exm",
         "Runs the checks before saving; prints the first failing message and exits 1.", runCheck},
        {"resave", "resave IN.exm OUT.exm",
         "Opens and saves as the designer does: renumbers, lays out the marks, checks, saves.",
         runResave},
    };
    return all;
}

} // namespace sw::cli
