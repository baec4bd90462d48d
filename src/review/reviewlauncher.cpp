#include "review/reviewlauncher.h"

#include "platform/widgets/dialogservice.h"
#include "review/examanalysiswindow.h"
#include "review/reviewwindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>

namespace sw {

namespace {

// The exam chosen from `names`; empty when cancelled.
QString chooseExam(QWidget* parent, const QString& title, const QStringList& names)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(title);
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

// The exam of the database at `location` the person means, asked in a
// dialog titled `title`; empty when cancelled, or when there is no exam or
// the database cannot be read (the person is told why).
QString chooseStoredExam(QWidget* parent, const QString& location, const QString& title)
{
    QStringList names;
    QString error;
    if (!storedExamNames(location, names, &error)) {
        refuse(parent, error);
        return {};
    }
    if (names.isEmpty()) {
        refuse(parent, QStringLiteral("数据库中还没有考试"), MessageIcon::Information);
        return {};
    }
    return chooseExam(parent, title, names);
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
    const QString name = chooseStoredExam(parent, location, QStringLiteral("复核考试"));
    QString error;
    if (!name.isEmpty() && !showExamReview(location, name, screenPpi, &error))
        refuse(parent, error);
}

void chooseExamForAnalysis(QWidget* parent, const QString& location, int screenPpi)
{
    const QString name = chooseStoredExam(parent, location, QStringLiteral("考试分析"));
    if (name.isEmpty())
        return;
    QString error;
    std::unique_ptr<ExamAnalysisWindow> window =
        openExamAnalysis(location, name, screenPpi, &error);
    if (!window) {
        refuse(parent, error);
        return;
    }
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    window.release(); // deleted when closed
}

} // namespace sw
