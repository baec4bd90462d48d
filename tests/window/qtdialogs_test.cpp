#include "platform/widgets/dialogservice.h"

#include <QApplication>
#include <QFontDialog>
#include <QFontInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

// Works the modal dialog that the next call opens, once it shows.
void whenShown(std::function<void(QWidget&)> work)
{
    QTimer::singleShot(0, qApp, [work] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        work(*dialog);
    });
}

TEST(QtDialogsTest, FontDialogOpensOnTheFontThatDraws)
{
    // 宋体 is drawn by whichever installed family stands in for it.
    const QFont initial(QStringLiteral("宋体"), 14);
    QString shown;
    whenShown([&shown](QWidget& dialog) {
        auto& fonts = static_cast<QFontDialog&>(dialog);
        shown = fonts.currentFont().family();
        fonts.reject();
    });
    QtDialogService service;
    EXPECT_FALSE(service.chooseFont(nullptr, initial).has_value());
    EXPECT_EQ(shown, QFontInfo(initial).family());
}

TEST(QtDialogsTest, SaveQuestionOffersCancelAsTheDefault)
{
    QtDialogService service;
    for (const Answer answer : {Answer::Yes, Answer::No, Answer::Cancel}) {
        whenShown([answer](QWidget& dialog) {
            auto& box = static_cast<QMessageBox&>(dialog);
            EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Cancel));
            const QMessageBox::StandardButton button = answer == Answer::Yes  ? QMessageBox::Yes
                                                       : answer == Answer::No ? QMessageBox::No
                                                                              : QMessageBox::Cancel;
            box.button(button)->click();
        });
        EXPECT_EQ(
            service.questionWithCancel(nullptr, QStringLiteral("是否保存模板？"), ApplicationTitle),
            answer);
    }
}

} // namespace
} // namespace sw::test
