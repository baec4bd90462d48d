#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace sw::test {

// Every page of the PDF at `path` rendered by pdftoppm at `dotsPerInch`, in
// page order; empty when pdftoppm fails or is missing.
std::vector<QImage> renderPdfPages(const QString& path, int dotsPerInch);

} // namespace sw::test
