#include "dialogs/resolutiondialog.h"
#include "dialogs/okcancelbuttons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace sw {

ResolutionDialog::ResolutionDialog(int pixelsPerInch, QWidget* parent)
    : QDialog(parent), m_pixelsPerInch(pixelsPerInch), m_edit(new QLineEdit(this))
{
    setObjectName(QStringLiteral("ResolutionDialog"));
    setWindowTitle(QStringLiteral("请设置图像的分辨率"));

    m_edit->setObjectName(QStringLiteral("ResolutionEdit"));
    // Digits only, typed or pasted: the field always holds a whole number.
    m_edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_edit));
    m_edit->setMaxLength(5);
    m_edit->setAlignment(Qt::AlignRight);

    auto* label = new QLabel(QStringLiteral("分辨率"), this);
    label->setBuddy(m_edit);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_edit, 1);
    row->addWidget(new QLabel(QStringLiteral("像素/英寸"), this));

    QDialogButtonBox* buttons = okCancelButtons(this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
}

std::optional<int> ResolutionDialog::resolution() const
{
    bool ok = false;
    const int value = m_edit->text().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

void ResolutionDialog::showEvent(QShowEvent* event)
{
    showResolution();
    QDialog::showEvent(event);
}

void ResolutionDialog::showResolution()
{
    m_edit->setText(QString::number(m_pixelsPerInch));
    m_edit->selectAll();
    m_edit->setFocus();
}

} // namespace sw
