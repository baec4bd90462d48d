#include "editor/windowwizardhost.h"

#include "document/vectorgraphics.h"
#include "editor/editingcontroller.h"
#include "editor/mainwindow.h"

namespace sw {

void WindowWizardHost::scrollToOrigin()
{
    m_window.scrollToOrigin();
}

void WindowWizardHost::clearTabs()
{
    m_window.rebuildTabs(-1);
}

void WindowWizardHost::forgetFileName()
{
    m_window.setFileName({});
}

void WindowWizardHost::resetBackground()
{
    // Without pages there is no picture to show; the surface goes to 0, 0.
    m_window.loadBackgroundPicture();
    m_window.scrollToOrigin();
}

void WindowWizardHost::addTab()
{
    m_window.rebuildTabs(m_window.document().CurrentPage);
}

void WindowWizardHost::relabelTabs()
{
    m_window.relabelTabs();
}

// Rebuilding runs the tab change even when the tab stays the same, so the
// page shown and everything that follows the current page catch up.
void WindowWizardHost::selectTab(int index)
{
    m_window.rebuildTabs(index);
}

void WindowWizardHost::resetHistory(const QString& caption)
{
    m_window.controller().ResetHistory();
    m_window.controller().AddEntry(caption);
}

void WindowWizardHost::repaint()
{
    m_window.repaintSurface();
}

} // namespace sw
