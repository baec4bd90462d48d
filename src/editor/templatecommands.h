#pragma once

#include "dialogs/mubanfrm.h"
#include "dialogs/xdfrm.h"

namespace sw {

class TPaintForm;

// "向导" and "模板库": the commands that replace the document by a generated
// standard sheet or by a template from the library, and store the document
// in the library. Both dialogs are made once, with the window as parent.
class TemplateCommands : public WizardRunner, public TemplateLibraryHost
{
public:
    static inline const QString ImportedCaption = QStringLiteral("从模板导入");

    explicit TemplateCommands(TPaintForm& window);

    // Shows the dialogs modally.
    void Wizard();
    void Library();

    Txdfrm& wizardDialog() const { return *m_wizard; }
    Tmubanfrm& libraryDialog() const { return *m_library; }

    // WizardRunner
    bool generateSheet(const WizardSettings& settings) override;
    // TemplateLibraryHost
    bool templateBytes(QByteArray& bytes, QString* error) override;
    bool openTemplate(const TemplateEntry& entry) override;

private:
    TPaintForm& m_window;
    Txdfrm* m_wizard;
    Tmubanfrm* m_library;
};

} // namespace sw
