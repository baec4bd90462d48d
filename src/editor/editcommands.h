#pragma once

#include "document/records.h"

#include <span>
#include <vector>

#include <QString>

namespace sw {

inline const QString NothingCopiedStatus = QStringLiteral("没有复制的图形，未粘贴任何图形");

class MainWindow;
class TVectorGraphics;

// One of the ten alignment and size commands: its button, its menu item,
// the document operation and (the hint) the history entry it records.
struct ArrangeCommand
{
    const char* name;
    const char* hint;
    const char* menuText;
    const char* themeIcon;
    const char* ownIcon;
    void (*run)(TVectorGraphics& document);
};

std::span<const ArrangeCommand> arrangeCommands();

// The edit commands of the main window that act on the selected shapes as a
// whole: copy and paste within the document, group and ungroup, the
// document-wide lock, and the alignment and size commands.
class EditCommands
{
public:
    explicit EditCommands(MainWindow& window) : m_window(window) {}

    // Marks the selected unlocked shapes of every page for pasting.
    void Copy();
    // Keeps the selected unlocked shapes of the current page for pasting and
    // deletes the selection.
    void Cut();
    // After a confirmation, pastes selected copies of the marked shapes (or,
    // after a cut, of the cut ones) onto the current page at their
    // coordinates.
    void Paste();
    // Selects every user shape of the current page that can be selected.
    void SelectAll();
    void Group();
    void Ungroup();
    // The lock button: locks or unlocks the whole document.
    void SetLocked(bool locked);
    void Arrange(const ArrangeCommand& command);

private:
    void record(const char* entry);

    MainWindow& m_window;
    // The shapes of the last cut, until the next copy.
    std::vector<TGPS> m_cut;
};

} // namespace sw
