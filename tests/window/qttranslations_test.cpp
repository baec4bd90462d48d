#include "platform/widgets/qttranslations.h"

#include <QApplication>
#include <QTranslator>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

TEST(QtTranslationsTest, StandardButtonsReadInChinese)
{
    const auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
    ASSERT_EQ(cancel(), QStringLiteral("Cancel"));
    ASSERT_TRUE(installQtTranslations(*qApp));
    EXPECT_EQ(cancel(), QStringLiteral("取消"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("是(&Y)"));

    // Leave the other tests of this program in the source language.
    qDeleteAll(qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly));
    EXPECT_EQ(cancel(), QStringLiteral("Cancel"));
}

} // namespace
} // namespace sw::test
