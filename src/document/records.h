#pragma once

#include "platform/graphicstypes.h"
#include "shapes/enums.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <vector>

namespace sw {

// The notice every saved template carries in `CopyRight`.
QString copyRightNotice();

// The font of a shape record whose shape has no font of its own: "MS Sans Serif",
// 8 points at the given screen resolution (height -11 at 96 pixels per inch),
// `clWindowText`, `DEFAULT_CHARSET`, no style.
TFont recordDefaultFont(int pixelsPerInch);

// Stored form of one page. Lengths in millimetres. A fresh record holds zeros;
// the page's own creation values are set by the document, not here.
struct TPaper
{
    QChar PaperType;
    int PageNumber = 0;
    QString PicturePath;
    int Left = 0;
    int Top = 0;
    double LeftMargin = 0.0;
    double RightMargin = 0.0;
    double TopMargin = 0.0;
    double BottomMargin = 0.0;
    TPageSize PageSize = A3;
    double Height = 0.0;
    double Width = 0.0;
    TPrinterOrientation Orientation = poPortrait;

    friend bool operator==(const TPaper&, const TPaper&) = default;
};

// Stored form of one shape of any kind; fields a kind does not use keep their
// creation values. Lengths in millimetres.
struct TGPS
{
    // Both fonts start as recordDefaultFont(pixelsPerInch).
    explicit TGPS(int pixelsPerInch);

    int VGIndex = 0;
    TGraphicsType GType = GLine;
    double X1 = 0.0;
    double X2 = 0.0;
    double Y1 = 0.0;
    double Y2 = 0.0;
    TBrush Brush;
    TPen Pen;
    TFont Font;
    double Radii = 0.0;
    QStringList Text;
    double GridHeight = 0.0;
    double Gridwidth = 0.0;
    double RowSpace = 0.0;
    double ColSpace = 0.0;
    int Row = 0;
    int col = 0;
    int Group = 0;
    bool Locked = false;
    QString Tag;
    QString KeyFZ;
    QString FormatText;
    QString KeyText;
    bool Spread = false;
    TAspect Aspect = ADown;
    int StartNumber = 0;
    int StartNumberAgg = 0;
    TTextType TextType = RSExamCode;
    TShowType ShowType = SInner;
    bool ShowNumber = false;
    TFont NumberFont;
    TOptionType OptionType = Single;
    int ReadType = 0;
    int GLZG = 0;
    int Question = 0;
    int Number = 0;
    QString Caption;
    QString PicturePath;
    bool XZT = false;
    QString XZTH;
    int SBSL = 0;
    QString PointList;
    double PointX = 0.0;
    double PointY = 0.0;

    friend bool operator==(const TGPS&, const TGPS&) = default;
};

// The sheet mode of a document (`Modal`), by its stored number.
enum TSheetMode : int
{
    SheetSelfMade = 0,            // 自制
    SheetOverlay = 1,             // 套制
    SheetMultiPageOverlay = 2,    // 多页套制
    SheetMultiPageUnnumbered = 3, // 多页套制无页码
    SheetSmartRecognition = 4     // 智能识别
};

// The stored properties of the document (`TVectorGraphics`) with its record
// collections, in the order a template stores them.
struct StoredDocument
{
    int Tag = 0; // inherited component tag; this system leaves it 0
    std::vector<TPaper> Papers;
    QString CopyRight = copyRightNotice();
    std::vector<TGPS> GPList;
    QStringList Geifen;        // carried through unchanged
    int Modal = SheetSelfMade; // a TSheetMode
    bool Locked = false;
    double DWW = 6.0;
    double DWH = 4.0;

    friend bool operator==(const StoredDocument&, const StoredDocument&) = default;
};

} // namespace sw
