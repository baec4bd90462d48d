#include "review/reviewlauncher.h"

#include "platform/widgets/dialogservice.h"
#include "review/reviewwindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>

namespace sw {

namespace {

// The exam chosen from `names`; empty when cancelled.
QString chooseExam(QWidget* parent, const QStringList& names)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("复核考试"));
    auto* exams = new QComboBox;
    exams->addItems(names);
    exams->setAccessibleName(QStringLiteral("考试"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    for (QAbstractButton* b : buttons->buttons())
        b->setAccessibleName(b->text());
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("考试"), exams);
    form->addRow(buttons);
    if (dialogService().exec(dialog) != QDialog::Accepted)
        return {};
    return exams->currentText();
}

} // namespace

bool showExamReview(const QString& location, const QString& examName, int screenPpi, QString* error)
{
    std::unique_ptr<ReviewWindow> window = openReviewWindow(location, examName, screenPpi, error);
    if (!window || !window->start(error))
        return false;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showMaximized();
    window.release(); // deleted when closed
    return true;
}

void chooseExamForReview(QWidget* parent, const QString& location, int screenPpi)
{
    QStringList names;
    QString error;
    if (!storedExamNames(location, names, &error)) {
        refuse(parent, error);
        return;
    }
    if (names.isEmpty()) {
        refuse(parent, QStringLiteral("数据库中还没有考试"), MessageIcon::Information);
        return;
    }
    const QString name = chooseExam(parent, names);
    if (!name.isEmpty() && !showExamReview(location, name, screenPpi, &error))
        refuse(parent, error);
}

} // namespace sw
