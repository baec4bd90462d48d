#include "editor/templatecommands.h"

#include "dialogs/databasemessage.h"
#include "document/vectorgraphics.h"
#include "editor/editingcontroller.h"
#include "editor/filecommands.h"
#include "editor/mainwindow.h"
#include "editor/windowwizardhost.h"
#include "platform/qpaintercanvas.h"
#include "platform/widgets/dialogservice.h"
#include "storage/templateloading.h"
#include "wizard/sheetgenerator.h"

#include <QBuffer>
#include <QImage>

namespace sw {

TemplateCommands::TemplateCommands(MainWindow& window)
    : m_window(window), m_wizard(new WizardDialog(window.database(), *this, &window)),
      m_library(new TemplateLibraryDialog(window.database(), *this, &window))
{
}

void TemplateCommands::Wizard()
{
    dialogService().exec(*m_wizard);
}

void TemplateCommands::Library()
{
    dialogService().exec(*m_library);
}

bool TemplateCommands::generateSheet(const WizardSettings& settings)
{
    if (!m_window.fileCommands().confirmReplacingDocument())
        return false;
    m_window.controller().CancelTextEditor();
    WindowWizardHost host(m_window);
    // Measured as the page surface draws, on a canvas of its own: the
    // surface's canvas is made anew whenever the generation repaints.
    QImage measuring(1, 1, QImage::Format_RGB32);
    QPainterCanvas metrics(measuring, m_window.document().PixelsPerInch);
    QString error;
    // Failed steps are told by their codes alone; the sequence goes on.
    const auto report = [this](const WizardStepFailure& failure) {
        refuse(m_wizard, failure.code);
    };
    const bool generated =
        generateAnswerSheet(m_window.document(), settings, metrics, host, report, &error);
    if (!generated) {
        refuse(m_wizard, QStringLiteral("不能生成答题卡：\n%1").arg(error));
        return false;
    }
    m_window.syncDocumentButtons();
    return true;
}

bool TemplateCommands::templateBytes(QByteArray& bytes, QString* error)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool written = m_window.document().SaveToStream(SaveAllShapes, buffer, error);
    return written;
}

bool TemplateCommands::openTemplate(const TemplateEntry& entry)
{
    if (!m_window.fileCommands().confirmReplacingDocument())
        return false;
    m_window.controller().CancelTextEditor();
    TVectorGraphics& document = m_window.document();
    QString error;
    if (!loadTemplateIntoDocument(m_window.database(), entry.id, document, &error)) {
        refuse(m_library,
               databaseErrorText(QStringLiteral("不能打开模板“%1”。").arg(entry.name),
                                 m_window.database(), error),
               MessageIcon::Critical);
        return false;
    }
    // A template from the library has no file: the next 保存 asks where to
    // save it instead of overwriting the file open before.
    m_window.setFileName({});
    m_window.syncDocumentButtons();
    // The tab change scrolls to the origin, loads the background picture and
    // tells the page setup.
    m_window.rebuildTabs(0);
    m_window.controller().ResetHistory();
    m_window.controller().AddEntry(ImportedCaption);
    return true;
}

} // namespace sw
