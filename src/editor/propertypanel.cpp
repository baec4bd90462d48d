#include "editor/propertypanel.h"

#include "dialogs/linelistdialog.h"
#include "document/vectorgraphics.h"
#include "editor/colorswatch.h"
#include "editor/fontbutton.h"
#include "editor/optioncharacters.h"
#include "editor/panelbinding.h"
#include "platform/widgets/dialogservice.h"
#include "platform/widgets/fieldtips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSpinBox>

namespace sw {

PropertyPanel::PropertyPanel(int pixelsPerInch, QWidget* parent)
    : QWidget(parent), m_pixelsPerInch(pixelsPerInch)
{
    setObjectName(QStringLiteral("PropertyPanel"));
    buildPanels();
    giveFieldTips(*this);
}

PropertyPanel::~PropertyPanel() = default;

void PropertyPanel::SetDocument(TVectorGraphics* document)
{
    m_document = document;
}

void PropertyPanel::SetTextEditorFontSource(std::function<TFont()> source)
{
    m_textEditorFontSource = std::move(source);
}

int PropertyPanel::pixelsPerInch() const
{
    return m_document ? m_document->PixelsPerInch : m_pixelsPerInch;
}

int PropertyPanel::cornerRadius() const
{
    return m_radius->value();
}

QString PropertyPanel::optionCharacters() const
{
    return m_optionChars->currentText();
}

QStringList PropertyPanel::OptionCharacterList() const
{
    QStringList list;
    for (int i = 0; i < m_optionChars->count(); ++i)
        list.append(m_optionChars->itemText(i));
    return list;
}

void PropertyPanel::setOptionCharacterList(const QStringList& list)
{
    const QSignalBlocker blocker(m_optionChars);
    const QString current = m_optionChars->currentText();
    m_optionChars->clear();
    m_optionChars->addItems(list);
    const int entry = m_optionChars->findText(current, Qt::MatchExactly | Qt::MatchCaseSensitive);
    m_optionChars->setCurrentIndex(entry);
    if (entry < 0)
        m_optionChars->setEditText(current);
}

bool PropertyPanel::ReadOptionCharacterFile(const QString& folder, QString* error)
{
    QString reason;
    const std::optional<QStringList> list = readOptionCharacterFile(folder, &reason);
    if (list)
        setOptionCharacterList(*list);
    if (!reason.isEmpty() && error)
        *error = reason;
    return reason.isEmpty();
}

QStringList PropertyPanel::LineListRows() const
{
    const QString text = m_lineMemo->toPlainText();
    return text.isEmpty() ? QStringList{} : text.split(QLatin1Char('\n'));
}

void PropertyPanel::SetLineListRows(const QStringList& rows)
{
    m_lineMemo->setPlainText(rows.join(QLatin1Char('\n')));
}

int PropertyPanel::LineListRowCount() const
{
    return m_lineRows->value();
}

void PropertyPanel::valueChanged()
{
    syncAlternativesEdit();
    applyGuards();
    applyUserChange(true);
}

void PropertyPanel::applyGuards()
{
    // A grid of zero-height (zero-width) cells is a set of lines and needs at
    // least two of them.
    if (m_gridHeight->value() == 0 && m_gridRows->value() < 2) {
        const QSignalBlocker blocker(m_gridRows);
        m_gridRows->setValue(2);
    }
    if (m_gridWidth->value() == 0 && m_gridCols->value() < 2) {
        const QSignalBlocker blocker(m_gridCols);
        m_gridCols->setValue(2);
    }
    // A line list has one row description per row.
    QStringList rows = LineListRows();
    const int wanted = m_lineRows->value();
    if (rows.size() != wanted) {
        while (rows.size() < wanted)
            rows.append(QStringLiteral("\\\\1"));
        while (rows.size() > wanted)
            rows.removeLast();
        SetLineListRows(rows);
    }
}

void PropertyPanel::applyUserChange(bool recordHistory)
{
    // While LoadPanel fills the controls nothing is applied: a selection is
    // no change and makes no history entry. Neither does a change that
    // reaches no shape: an entry would claim a change that never happened,
    // and after a restore it would throw away the entries that follow.
    if (!m_document || !applyPanel(m_document->ActiveShape, true))
        return;
    emit shapesChanged();
    const TVectorGraph* page = currentPage();
    if (recordHistory && page)
        emit changeRecorded(page->LastHitIndex, ChangeText);
}

void PropertyPanel::syncAlternativesEdit()
{
    // The alternatives of an optional question mean nothing without it.
    const bool optional = m_optional->isChecked();
    m_alternatives->setEnabled(optional);
    if (!optional && !m_alternatives->text().isEmpty()) {
        const QSignalBlocker blocker(m_alternatives);
        m_alternatives->clear();
    }
}

void PropertyPanel::chooseColor(ColorSwatch* swatch, FontButton* fontOwner)
{
    const std::optional<QColor> chosen =
        dialogService().chooseColor(this, toQColor(swatch->Color()));
    if (!chosen)
        return;
    const TColor color = toTColor(*chosen);
    swatch->SetColor(color);
    if (fontOwner) {
        TFont font = fontOwner->Font();
        font.Color = color;
        fontOwner->SetFont(font);
    }
    if (fontOwner == m_textFont) {
        // New text boxes take the text editor's font: it gets the colour too.
        TFont editorFont = textEditorFont();
        editorFont.Color = color;
        emit textEditorFontChanged(editorFont);
    }
    applyUserChange(false);
}

void PropertyPanel::chooseFont(FontButton* button, ColorSwatch* colorSwatch)
{
    const int ppi = pixelsPerInch();
    const std::optional<QFont> chosen =
        dialogService().chooseFont(this, toDialogFont(button->Font(), ppi));
    if (!chosen)
        return;
    const TFont font = fromDialogFont(*chosen, button->Font(), ppi);
    button->SetFont(font);
    if (colorSwatch)
        colorSwatch->SetColor(font.Color);
    applyUserChange(false);
}

void PropertyPanel::chooseTextFont()
{
    const int ppi = pixelsPerInch();
    const TFont editorFont = textEditorFont();
    const std::optional<QFont> chosen =
        dialogService().chooseFont(this, toDialogFont(editorFont, ppi));
    if (!chosen)
        return;
    const TFont font = fromDialogFont(*chosen, editorFont, ppi);
    emit textEditorFontChanged(font);
    m_textFont->SetFont(font);
    m_textColor->SetColor(font.Color);
    applyUserChange(false);
}

void PropertyPanel::choosePicture()
{
    const FileChoice file = dialogService().openFile(
        this, QStringLiteral("选择图片"),
        {QStringLiteral("图片文件 (*.bmp *.jpg *.jpeg *.png *.gif *.tif *.tiff)"),
         QStringLiteral("所有文件 (*)")});
    // The path's change handler applies and records the choice.
    if (file.chosen())
        m_picturePath->setText(file.path);
}

void PropertyPanel::editLineListRows()
{
    LineListDialog dialog(LineListRows(), this);
    connect(&dialog, &LineListDialog::saved, this, [this](const QStringList& rows) {
        SetLineListRows(rows);
        applyUserChange(true);
    });
    dialogService().exec(dialog);
}

TFont PropertyPanel::textEditorFont() const
{
    return m_textEditorFontSource ? m_textEditorFontSource() : m_textFont->Font();
}

} // namespace sw
