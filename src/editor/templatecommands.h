#pragma once

#include "dialogs/templatelibrarydialog.h"
#include "dialogs/wizarddialog.h"

namespace sw {

class MainWindow;

// "向导" and "模板库": the commands that replace the document by a generated
// standard sheet or by a template from the library, and store the document
// in the library. Both dialogs are made once, with the window as parent.
class TemplateCommands : public WizardRunner, public TemplateLibraryHost
{
public:
    static inline const QString ImportedCaption = QStringLiteral("从模板导入");

    explicit TemplateCommands(MainWindow& window);

    // Shows the dialogs modally.
    void Wizard();
    void Library();

    WizardDialog& wizardDialog() const { return *m_wizard; }
    TemplateLibraryDialog& libraryDialog() const { return *m_library; }

    // WizardRunner
    bool generateSheet(const WizardSettings& settings) override;
    // TemplateLibraryHost
    bool templateBytes(QByteArray& bytes, QString* error) override;
    bool openTemplate(const TemplateEntry& entry) override;

private:
    MainWindow& m_window;
    WizardDialog* m_wizard;
    TemplateLibraryDialog* m_library;
};

} // namespace sw
