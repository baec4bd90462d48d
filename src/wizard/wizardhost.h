#pragma once

#include <QString>

namespace sw {

// What a sheet generation needs of the window that shows the document: its
// page tabs, its scroll position, its background picture, its history and a
// repaint. The generator renumbers the pages and lays out their marks itself;
// the host only follows the page list.
class WizardHost
{
public:
    virtual ~WizardHost() = default;

    // Scrolls the page area back to its origin.
    virtual void scrollToOrigin() = 0;
    // Removes every page tab.
    virtual void clearTabs() = 0;
    // Forgets the window's file name, so that the next save asks for one.
    virtual void forgetFileName() = 0;
    // Removes the background picture and puts the page surface and the
    // picture at the origin of the page area.
    virtual void resetBackground() = 0;
    // Adds one tab for a page just added to the document.
    virtual void addTab() = 0;
    // Relabels every tab from the (already renumbered) pages.
    virtual void relabelTabs() = 0;
    virtual void selectTab(int index) = 0;
    // Empties the history and records one entry with the caption.
    virtual void resetHistory(const QString& caption) = 0;
    virtual void repaint() = 0;
};

// A host without a window: every request is satisfied by doing nothing.
class NullWizardHost : public WizardHost
{
public:
    void scrollToOrigin() override {}
    void clearTabs() override {}
    void forgetFileName() override {}
    void resetBackground() override {}
    void addTab() override {}
    void relabelTabs() override {}
    void selectTab(int) override {}
    void resetHistory(const QString&) override {}
    void repaint() override {}
};

} // namespace sw
