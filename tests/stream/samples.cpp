#include "samples.h"

#include "document/templatestream.h"
#include "streambytes.h"

namespace sw::test {

namespace {

constexpr double kPixelsPerMm = kPpi / 25.4;

QString longAscii()
{
    QString s;
    for (int i = 0; i < 60; ++i)
        s += QStringLiteral("%1,%2;").arg(i).arg(i * 7);
    return s; // well over 255 characters
}

StoredDocument documentWith(std::vector<TPaper> papers, std::vector<TGPS> shapes)
{
    StoredDocument d;
    d.Papers = std::move(papers);
    d.GPList = std::move(shapes);
    return d;
}

TGPS shape(TGraphicsType type, double x1, double y1, double x2, double y2)
{
    TGPS g(kPpi);
    g.GType = type;
    g.X1 = x1;
    g.Y1 = y1;
    g.X2 = x2;
    g.Y2 = y2;
    return g;
}

// As another writer would produce it: item indices, GBK byte strings, names in
// other case, integers where floats are expected, sets with unknown members.
QByteArray otherWriterStream()
{
    StreamBytes b;
    b.header();
    b.name("Papers").hex("0E");
    b.integer8(0).hex("01").name("PaperType").hex("06 01").ascii("C");
    b.name("PicturePath").hex("06 06 CB CE CC E5 2E 62"); // "宋体.b" in GBK
    b.name("Height").integer8(100).hex("00");
    b.integer8(1).hex("01").name("PageSize").ident("Custom").hex("00");
    b.hex("00");
    b.name("GPList").hex("0E");
    b.hex("03 05 00 01"); // item index as 16-bit integer
    b.name("GType").ident("GRectText");
    b.name("Font.Color").ident("CLRED");
    b.name("Font.Charset").ident("gb2312_charset");
    b.name("Font.Style").hex("0B").name("fsItalic").name("fsBlink").hex("00");
    b.name("Text.Strings").hex("01 06 02 C4 E3 12 01 00 00 00 7D 59 00"); // "你", "好"
    b.name("Pen.Width").hex("04 00 00 01 00");
    b.name("X2").hex("03 10 27");
    b.name("Caption").hex("0C 03 00 00 00").ascii("abc");
    b.hex("00 00");
    b.name("Geifen.Strings").hex("01 14 03 00 00 00 E5 AE 8B 00");
    b.name("Modal").integer8(2);
    b.hex("00 00");
    return b;
}

} // namespace

TPaper newPagePaper()
{
    TPaper p;
    p.PaperType = u'A';
    p.PageNumber = 1;
    p.LeftMargin = p.RightMargin = p.TopMargin = p.BottomMargin = 10.0;
    p.PageSize = A4;
    p.Height = 297.0;
    p.Width = 210.0;
    p.Orientation = poPortrait;
    return p;
}

TGPS positioningBoxRecord()
{
    TGPS g = shape(GDw, 38 / kPixelsPerMm, 38 / kPixelsPerMm, 61 / kPixelsPerMm, 53 / kPixelsPerMm);
    g.Locked = true;
    return g;
}

TPaper fullPaper()
{
    TPaper p;
    p.PaperType = u'B';
    p.PageNumber = 2;
    p.PicturePath = QStringLiteral("scans/第2面.jpg");
    p.Left = -5;
    p.Top = 300;
    p.LeftMargin = 12.5;
    p.RightMargin = 13.5;
    p.TopMargin = 14.5;
    p.BottomMargin = 15.5;
    p.PageSize = B5;
    p.Height = 182.0;
    p.Width = 257.0;
    p.Orientation = poLandscape;
    return p;
}

TGPS fullShape()
{
    TGPS g(kPpi);
    g.VGIndex = 3;
    g.GType = GKg;
    g.X1 = 1.5;
    g.X2 = -2.25;
    g.Y1 = 1e-300;
    g.Y2 = 12345.678;
    g.Brush = {0x123456, bsClear};
    g.Pen.Color = clRed;
    g.Pen.Width = 3;
    g.Pen.Style = psDot;
    g.Pen.Mode = pmNotXor;
    g.Font.Name = QStringLiteral("宋体");
    g.Font.Height = -12;
    g.Font.Color = clBlue;
    g.Font.Style = fontStyleBit(fsBold) | fontStyleBit(fsUnderline);
    g.Font.Charset = GB2312_CHARSET;
    g.Font.Pitch = fpFixed;
    g.Radii = 2.5;
    g.Text = {QStringLiteral("准考证号"), QStringLiteral("line 2"), QString()};
    g.GridHeight = 4.2;
    g.Gridwidth = 5.3;
    g.RowSpace = 1.1;
    g.ColSpace = 0.9;
    g.Row = 200;
    g.col = -40000;
    g.Group = 7;
    g.Locked = true;
    g.Tag = QStringLiteral("tag 标记");
    g.KeyFZ = QStringLiteral("KF");
    g.FormatText = QStringLiteral("ABCD");
    g.KeyText = QStringLiteral("AC");
    g.Spread = true;
    g.Aspect = ALeft;
    g.StartNumber = 12;
    g.StartNumberAgg = -5;
    g.TextType = RSPageNumber;
    g.ShowType = SDeny;
    g.ShowNumber = true;
    g.NumberFont.Name = QStringLiteral("Arial");
    g.NumberFont.Height = 15;
    g.NumberFont.Color = 0x80000020;
    g.NumberFont.Charset = 42;
    g.NumberFont.Style = 0x0F;
    g.NumberFont.Pitch = fpVariable;
    g.OptionType = Multi;
    g.ReadType = 1;
    g.GLZG = 9;
    g.Question = 21;
    g.Number = 2;
    g.Caption = QStringLiteral("第1题");
    g.PicturePath = QStringLiteral("pics/a.jpg");
    g.XZT = true;
    g.XZTH = QStringLiteral("选做题A");
    g.SBSL = 77;
    g.PointList = longAscii();
    g.PointX = 3.75;
    g.PointY = -0.5;
    return g;
}

StoredDocument fullDocument()
{
    StoredDocument d =
        documentWith({fullPaper(), newPagePaper()}, {fullShape(), positioningBoxRecord()});
    d.Tag = 5;
    d.CopyRight = QStringLiteral("版权所有 notice");
    d.Geifen = {QStringLiteral("a"), QStringLiteral("宋体")};
    d.Modal = 3;
    d.Locked = true;
    d.DWW = 7.5;
    d.DWH = 3.25;
    return d;
}

std::vector<SampleStream> sampleStreams()
{
    std::vector<TGPS> kinds;
    for (int k = GLine; k <= GLinelist; ++k)
        kinds.push_back(shape(TGraphicsType(k), k, k + 0.5, k * 3.0, -k / 3.0));
    kinds[GRectText].Text = {QStringLiteral("Name: 姓名"), longAscii()};
    kinds[GMHSB].PointList = longAscii();

    StoredDocument zeroes;
    zeroes.DWW = 0.0;
    zeroes.CopyRight.clear();

    return {
        {QStringLiteral("smallest"), writeTemplate(StoredDocument())},
        {QStringLiteral("new-page"),
         writeTemplate(documentWith({newPagePaper()}, {positioningBoxRecord()}))},
        {QStringLiteral("full"), writeTemplate(fullDocument())},
        {QStringLiteral("every-kind"), writeTemplate(documentWith({fullPaper()}, kinds))},
        {QStringLiteral("zero-dww"), writeTemplate(zeroes)},
        {QStringLiteral("other-writer"), otherWriterStream()},
    };
}

} // namespace sw::test
