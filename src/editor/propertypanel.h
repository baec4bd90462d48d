#pragma once

#include "editor/shapepanel.h"
#include "platform/graphicstypes.h"
#include "shapes/enums.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFrame;
class QGridLayout;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QToolButton;
class QVBoxLayout;

namespace sw {

class ColorSwatch;
class FontButton;
class TGraphics;
class TVectorGraph;
class TVectorGraphics;
struct PanelBinding;

// The shape parameters of the designer ("图形参数"): a column of small panels,
// one per subject, of which only those fitting the current tool or shape are
// shown. The controls hold the current style: a new shape receives them
// (ApplyPanel with all = false), and a change made by the user is written at
// once into the document's ActiveShape and every selected shape of its kind
// on the current page. LoadPanel shows a shape's values. The colour, font and
// picture dialogs go through the dialog service.
class PropertyPanel : public QWidget, public ShapePanel
{
    Q_OBJECT

public:
    // The narrowest the panels get; they widen so that every value shows
    // whole.
    static constexpr int PanelWidth = 185;
    static inline const QString ChangeText = QStringLiteral("修改参数");

    // pixelsPerInch: the screen's, used for the default fonts and, until a
    // document is set, for the font dialogs.
    explicit PropertyPanel(int pixelsPerInch, QWidget* parent = nullptr);
    ~PropertyPanel() override;

    // The document edited (not owned); nullptr detaches the panel. Font sizes
    // convert at its pixels per inch.
    void SetDocument(TVectorGraphics* document);
    // The in-place text editor's font, which the text-font button presets its
    // dialog with. Without a source the button's own font is used.
    void SetTextEditorFontSource(std::function<TFont()> source);

    QWidget* widget() override { return this; }
    // Shows and hides the panels for a tool number (0 and unknown tools change
    // nothing) and fits the column's height to the visible panels.
    void ShowPanels(int tool) override;
    // Fills the controls from the shape and shows its panels. Nothing is
    // written back meanwhile.
    void LoadPanel(TGraphics& shape) override;
    // Writes the controls into shape and, with all, into every other selected
    // shape of its kind on the current page (page marks excepted). Does
    // nothing without a document, while the panel loads, while the
    // document is locked or for a page mark. Does not repaint.
    void ApplyPanel(TGraphics& shape, bool all) override;

    // Values a new shape takes before ApplyPanel.
    int cornerRadius() const override;         // "圆角半径", rounded
    QString optionCharacters() const override; // "字符"

    // The option strings offered for "字符". The characters typed or chosen
    // stay when the list is replaced.
    QStringList OptionCharacterList() const;
    void setOptionCharacterList(const QStringList& list) override;
    // Replaces the list by "temp/typelist.tmp" in the folder when that file
    // exists (see readOptionCharacterFile). False, with *error set, when it
    // exists but cannot be read; the list stays then.
    bool ReadOptionCharacterFile(const QString& folder, QString* error = nullptr);

    // The row descriptions of the line list ("lineMemo"), which the line-list
    // editor edits; and the row count ("行数").
    QStringList LineListRows() const;
    void SetLineListRows(const QStringList& rows);
    int LineListRowCount() const;

    // Sum of the heights of the visible subject panels (every panel but the
    // always-shown "标记" row).
    int GroupHeight() const;

signals:
    // A change made in the panel was written into shapes: record it in the
    // history (RecordChange with this key and text).
    void changeRecorded(std::int32_t key, const QString& text);
    // Shapes were changed by the panel: repaint the page.
    void shapesChanged();
    // The in-place text editor's font (the font of new text boxes) changes.
    void textEditorFontChanged(const sw::TFont& font);
    // ShowPanels chose a drawing panel set: the surface shows the cross.
    void surfaceCursorRequested(sw::TCursor cursor);
    // "定位检测" was pressed.
    void positionCheckRequested();

private:
    // The subject panels ("rp1" to "rp12", "RP13").
    // clang-format off
    enum Subject { Rp1, Rp2, Rp3, Rp4, Rp5, Rp6, Rp7, Rp8, Rp9, Rp10, Rp11, Rp12, RP13,
                   SubjectCount };
    // clang-format on

    // Building (propertypanel_build.cpp).
    void buildPanels();
    QGridLayout* addPanel(QVBoxLayout* column, Subject subject, const char* name, int height);
    QFrame* newPanel(QVBoxLayout* column, const char* name, int height);
    QSpinBox* newSpin(const char* name, int minimum, int maximum, int value);
    QDoubleSpinBox* newDoubleSpin(const char* name, double minimum, double maximum, double value);
    QComboBox* newCombo(const char* name, const QStringList& items, int index,
                        bool editable = false);
    QLineEdit* newEdit(const char* name);
    QCheckBox* newCheck(const char* name, const QString& text, bool checked);
    ColorSwatch* newSwatch(const char* name);
    FontButton* newFontButton(const char* name, const TFont& font);
    QToolButton* newButton(const char* name, const QString& text);
    // Declares how a control loads from and stores into shapes.
    void bind(PanelBinding binding);
    void fitHeight();
    void fitWidth();

    // Shapes (propertypanel_apply.cpp).
    // ApplyPanel; false when nothing was written.
    bool applyPanel(TGraphics* shape, bool all);
    void writeInto(TGraphics& shape);
    TVectorGraph* currentPage() const;

    // User actions (propertypanel.cpp).
    void valueChanged();
    void applyGuards();
    void applyUserChange(bool recordHistory);
    void syncAlternativesEdit();
    void chooseColor(ColorSwatch* swatch, FontButton* fontOwner);
    void chooseFont(FontButton* button, ColorSwatch* colorSwatch);
    void chooseTextFont();
    void choosePicture();
    // "线段设置" on the row descriptions; each "保存" applies them.
    void editLineListRows();
    TFont textEditorFont() const;
    int pixelsPerInch() const;

    const int m_pixelsPerInch;
    int m_width = PanelWidth;
    TVectorGraphics* m_document = nullptr;
    std::function<TFont()> m_textEditorFontSource;
    // Set while LoadPanel fills the controls, whose change handlers then
    // write nothing into shapes.
    bool m_loading = false;

    QFrame* m_markPanel = nullptr;
    std::array<QFrame*, SubjectCount> m_panels{};
    // In the order they load and store.
    std::vector<PanelBinding> m_bindings;

    // the mark panel
    QLineEdit* m_tag = nullptr;
    // rp11 picture
    QLineEdit* m_picturePath = nullptr;
    QToolButton* m_pictureButton = nullptr;
    // rp10 cut box
    QSpinBox* m_question = nullptr;
    QSpinBox* m_part = nullptr;
    QLineEdit* m_caption = nullptr;
    QCheckBox* m_optional = nullptr;
    QLineEdit* m_alternatives = nullptr;
    // rp2 bubble fonts
    FontButton* m_labelFont = nullptr;
    ColorSwatch* m_labelColor = nullptr; // textcolor
    FontButton* m_numberFont = nullptr;
    ColorSwatch* m_numberColor = nullptr; // Numbercolor
    // rp3 line
    QSpinBox* m_penWidth = nullptr;
    QComboBox* m_penStyle = nullptr;
    // rp1 bubble box
    QComboBox* m_optionChars = nullptr;
    QComboBox* m_purpose = nullptr;
    QComboBox* m_optionType = nullptr;
    QComboBox* m_showType = nullptr;
    QComboBox* m_direction = nullptr;
    QSpinBox* m_count = nullptr;
    QDoubleSpinBox* m_bubbleWidth = nullptr;
    QDoubleSpinBox* m_bubbleHeight = nullptr;
    QSpinBox* m_bubbleColSpace = nullptr;
    QSpinBox* m_bubbleRowSpace = nullptr;
    QCheckBox* m_showNumber = nullptr;
    QSpinBox* m_numberAdd = nullptr;
    QComboBox* m_readType = nullptr;
    QSpinBox* m_linkedQuestion = nullptr;
    // rp6 text font
    FontButton* m_textFont = nullptr;   // BtnFont1
    ColorSwatch* m_textColor = nullptr; // fontcolor
    // rp9 grid
    QSpinBox* m_gridWidth = nullptr;
    QSpinBox* m_gridHeight = nullptr;
    QSpinBox* m_gridColSpace = nullptr;
    QSpinBox* m_gridRowSpace = nullptr;
    QSpinBox* m_gridCols = nullptr;
    QSpinBox* m_gridRows = nullptr;
    // rp4 frame colour
    ColorSwatch* m_penColor = nullptr; // bcolor1
    // rp5 fill
    QCheckBox* m_fill = nullptr;
    ColorSwatch* m_brushColor = nullptr; // bcolor2
    // rp7 corner
    QSpinBox* m_radius = nullptr;
    // rp8 direction
    QComboBox* m_triangleAspect = nullptr;
    // RP13 line list
    QSpinBox* m_lineRows = nullptr;
    FontButton* m_lineFont = nullptr;
    QToolButton* m_lineEditorButton = nullptr;
    QPlainTextEdit* m_lineMemo = nullptr; // lineMemo
    // rp12 detection
    QToolButton* m_positionCheck = nullptr;
};

} // namespace sw
