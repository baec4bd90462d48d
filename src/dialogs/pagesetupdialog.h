#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <optional>

class QComboBox;
class QLineEdit;

namespace sw {

class TVectorGraph;
class TVectorGraphics;

// What the page setup dialog needs of the main window.
class PageSetupHost
{
public:
    virtual ~PageSetupHost() = default;
    // The document; null before the window's first showing.
    virtual TVectorGraphics* setupDocument() const = 0;
    // The page being edited; null when there is none.
    virtual TVectorGraph* setupPage() const = 0;
    // The sheet mode was applied: the lock button shows the document's lock
    // and the background move buttons show exactly in the overlay modes.
    virtual void sheetModeApplied() = 0;
    // The page and its marks were laid out again: repaint.
    virtual void pageSetupApplied() = 0;
    // "确定" in an overlay mode: show the current page's background picture.
    virtual void showBackgroundPicture() = 0;
};

// "页面设置", shown without blocking the main window: the current page's
// paper (size, orientation, width, height, margins), the sheet mode, the
// positioning boxes' size and the layout of the paper-type and page-number
// marks. Every change reaches the document through applyFields. In the overlay
// modes the lists, Enter and the mouse wheel apply at once; in "自制" the
// fields wait for "确定" (only the mode and direction lists apply at once).
class PageSetupDialog : public QDialog
{
    Q_OBJECT

public:
    // The text fields, in the order applyFields reads them.
    enum Field
    {
        WidthField,
        HeightField,
        LeftMarginField,
        TopMarginField,
        RightMarginField,
        BottomMarginField,
        DwwField,
        DwhField,
        TypeWidthField,
        TypeHeightField,
        TypeRowSpaceField,
        TypeColSpaceField,
        NumberWidthField,
        NumberHeightField,
        NumberRowSpaceField,
        NumberColSpaceField,
        FieldCount
    };

    explicit PageSetupDialog(PageSetupHost& host, QWidget* parent = nullptr);

    QComboBox* modeList() const { return m_mode; }
    QComboBox* sizeList() const { return m_size; }
    QComboBox* orientationList() const { return m_orientation; }
    QComboBox* typeAspectList() const { return m_typeAspect; }
    QComboBox* numberAspectList() const { return m_numberAspect; }
    QLineEdit* field(Field f) const { return m_fields[std::size_t(f)]; }
    // The caption of a field's label, e.g. "宽度:mm".
    static QString fieldLabel(Field f);

    // Refills every field from the current page and the document.
    void showCurrentPage();
    // Writes the size list's preset into the width and height fields.
    void applyPaperSize();
    // Applies the fields to the document and lays out the marks again.
    // False, after naming the field that holds no number, when it stopped
    // at a field; what came before that field stays applied.
    bool applyFields();
    // "确定": applies and closes; a field without a number keeps it open.
    void applyPageSetup();
    // As the main window prepares the dialog at start: "A4" with its preset,
    // and the mode "自制".
    void prepareFirstPage();
    // A background picture's size, millimetres with one decimal, applied.
    void applyPictureSize(double widthMm, double heightMm);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QWidget* createPaperGroup();
    QWidget* createMarkGroup();
    QLineEdit* newField(Field f);
    QComboBox* newAspectList(const char* name);
    void applySheetMode();
    void applyMarkAspects();
    bool fieldKey(QLineEdit* field, int key);
    // The wheel over the dialog; true when it changed a field.
    bool FormMouseWheel(int delta);
    void stepField(Field f, bool up, double step);
    bool overlayMode() const;
    std::optional<double> decimalOf(Field f);
    std::optional<int> wholeOf(Field f);
    void refuseField(Field f, const QString& expected);
    void showNumber(Field f, double value);

    PageSetupHost& m_host;
    QComboBox* m_mode;
    QComboBox* m_size;
    QComboBox* m_orientation;
    QComboBox* m_typeAspect = nullptr;
    QComboBox* m_numberAspect = nullptr;
    std::array<QLineEdit*, FieldCount> m_fields{};
};

} // namespace sw
