#pragma once

#include <QStringList>
#include <QStringView>
#include <vector>

namespace sw::cli {

// What a command needs of Qt. Laying out or drawing text needs fonts, and so
// the GUI application; templates and scans alone do without it and start
// several milliseconds sooner.
enum class Runtime
{
    Gui,
    Headless
};

struct Command
{
    const char* name;
    const char* synopsis;
    const char* help;
    int (*run)(const QStringList& args); // args after the command name, --ppi removed
    Runtime runtime = Runtime::Gui;
};

// Every subcommand, in the order --help lists them.
const std::vector<Command>& commands();
// The command of that name; nullptr when there is none.
const Command* findCommand(QStringView name);

// The screen pixels per inch given with --ppi (96 by default).
int screenPpi();
void setScreenPpi(int ppi);

} // namespace sw::cli
