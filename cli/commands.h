#pragma once

#include <QStringList>
#include <vector>

namespace sw::cli {

struct Command
{
    const char* name;
    const char* synopsis;
    const char* help;
    int (*run)(const QStringList& args); // args after the command name, --ppi removed
};

// Every subcommand, in the order --help lists them.
const std::vector<Command>& commands();

// The screen pixels per inch given with --ppi (96 by default).
int screenPpi();
void setScreenPpi(int ppi);

} // namespace sw::cli
