#pragma once

#include "document/vectorgraphics.h"
#include "editor/editorview.h"
#include "shapes/rectkg.h"

#include <QStringList>
#include <vector>

namespace sw::test {

// The window as the controller sees it, recording what it was asked to do.
// Its panel writes a few recognisable values into the shapes it is applied
// to: a bubble box gets the option characters and a 5-question grid, every
// shape the Tag "panel".
class FakeView : public EditorView
{
public:
    explicit FakeView(TVectorGraphics& document) : m_document(document) {}

    void loadPanel(TGraphics& shape) override { loaded.push_back(&shape); }
    void applyPanel(TGraphics& shape, bool allSelectedOfKind) override
    {
        applied.push_back(&shape);
        if (m_document.Locked)
            return;
        shape.Tag = QStringLiteral("panel");
        if (auto* box = dynamic_cast<TRectKg*>(&shape)) {
            box->FormatText = optionCharacters;
            box->Row = int(optionCharacters.size());
            box->col = 5;
            box->Gridwidth = 20;
            box->GridHeight = 10;
        }
    }
    int panelCornerRadius() const override { return cornerRadius; }
    QString panelOptionCharacters() const override { return optionCharacters; }

    void showTextEditor(const TRect& area, const QStringList& lines) override
    {
        editorVisible = true;
        editorArea = area;
        editorLines = lines;
    }
    void hideTextEditor() override { editorVisible = false; }
    TRect textEditorArea() const override { return editorArea; }
    QStringList textEditorLines() const override { return editorLines; }
    TFont textEditorFont() const override { return editorFont; }
    void setTextEditorFont(const TFont& font) override { editorFont = font; }

    void showMessage(const QString& text) override { messages.append(text); }
    void showStatus(const QString& text) override { statuses.append(text); }
    void setCursor(TCursor c) override { cursor = c; }

    TPoint scrollPosition() const override { return scroll; }
    void setSurfaceSize(int width, int height) override
    {
        surfaceWidth = width;
        surfaceHeight = height;
    }
    void surfaceChanged() override { ++surfaceUpdates; }

    int rulerThickness() const override { return 25; }
    int horzRulerLength() const override { return 600; }
    int vertRulerLength() const override { return 400; }
    void rulersChanged() override { ++rulerUpdates; }

    void showMousePosition(int x, int y) override { mouse = {x, y}; }
    void showShapeBounds(const TRect& bounds) override
    {
        shapeBounds = bounds;
        boundsShown = true;
    }
    void clearShapeBounds() override { boundsShown = false; }
    void toolReset() override { ++toolResets; }

    int cornerRadius = 25;
    QString optionCharacters = QStringLiteral("ABCD");
    std::vector<TGraphics*> loaded;
    std::vector<TGraphics*> applied;

    bool editorVisible = false;
    TRect editorArea;
    QStringList editorLines;
    TFont editorFont;

    QStringList messages;
    QStringList statuses;
    TCursor cursor = TCursor::Default;
    TPoint scroll;
    int surfaceWidth = 0;
    int surfaceHeight = 0;
    int surfaceUpdates = 0;
    int rulerUpdates = 0;
    TPoint mouse;
    TRect shapeBounds;
    bool boundsShown = false;
    int toolResets = 0;

private:
    TVectorGraphics& m_document;
};

} // namespace sw::test
