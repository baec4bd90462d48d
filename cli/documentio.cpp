#include "cli/documentio.h"

#include "cli/commands.h"

#include <QTextStream>

namespace sw::cli {

void printError(const QString& message)
{
    QTextStream(stderr) << message << "\n";
}

std::unique_ptr<TVectorGraphics> newDocument()
{
    return std::make_unique<TVectorGraphics>(screenPpi());
}

std::unique_ptr<TVectorGraphics> openTemplate(const QString& path, bool prepare)
{
    auto document = newDocument();
    QString error;
    if (!document->LoadFromFile(path, &error)) {
        printError(QStringLiteral("不能读取模板文件 %1。（%2）").arg(path, error));
        return nullptr;
    }
    if (prepare) {
        document->RenumberPages();
        document->LayoutMarks();
    }
    return document;
}

bool saveTemplate(TVectorGraphics& document, const QString& path)
{
    QString error;
    if (document.SaveToFile(SaveAllShapes, path, &error))
        return true;
    printError(QStringLiteral("不能保存模板文件 %1。（%2）").arg(path, error));
    return false;
}

} // namespace sw::cli
