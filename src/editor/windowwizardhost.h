#pragma once

#include "wizard/wizardhost.h"

namespace sw {

class MainWindow;

// The main window as the host of a sheet generation: the generation's page
// list changes are followed by the window's tabs, its history and its
// picture area.
class WindowWizardHost : public WizardHost
{
public:
    explicit WindowWizardHost(MainWindow& window) : m_window(window) {}

    void scrollToOrigin() override;
    void clearTabs() override;
    void forgetFileName() override;
    void resetBackground() override;
    void addTab() override;
    void relabelTabs() override;
    void selectTab(int index) override;
    void resetHistory(const QString& caption) override;
    void repaint() override;

private:
    MainWindow& m_window;
};

} // namespace sw
