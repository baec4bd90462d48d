#include "dialogs/newpagedialog.h"
#include "dialogs/okcancelbuttons.h"

#include "platform/widgets/dialogservice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace sw {

NewPageDialog::NewPageDialog(PageHost& host, QWidget* parent)
    : QDialog(parent), m_host(host),
      m_newType(new QRadioButton(QStringLiteral("增加新试卷类型"), this)),
      m_newPage(new QRadioButton(QStringLiteral("增加新页面"), this)),
      m_copy(new QCheckBox(QStringLiteral("从当前模板复制"), this)), m_pages(new QComboBox(this))
{
    setObjectName(QStringLiteral("NewPageDialog"));
    setWindowTitle(QStringLiteral("试卷设置"));

    m_newType->setObjectName(QStringLiteral("NewPaperTypeChoice"));
    m_newPage->setObjectName(QStringLiteral("NewPageChoice"));
    m_copy->setObjectName(QStringLiteral("CopyPageCheck"));
    m_pages->setObjectName(QStringLiteral("SourcePageList"));
    m_newType->setChecked(true);
    m_pages->setMinimumContentsLength(12);
    m_pages->setPlaceholderText(QStringLiteral("选择页面"));

    auto* kind = new QGroupBox(this);
    auto* kindLayout = new QVBoxLayout(kind);
    kindLayout->addWidget(m_newType);
    kindLayout->addWidget(m_newPage);

    QDialogButtonBox* buttons = okCancelButtons(this);
    connect(buttons, &QDialogButtonBox::accepted, this, &NewPageDialog::addPage);
    connect(m_copy, &QCheckBox::toggled, this, &NewPageDialog::copyToggled);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(kind);
    layout->addWidget(m_copy);
    layout->addWidget(m_pages);
    layout->addStretch(1);
    layout->addWidget(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(280, 0)));
}

void NewPageDialog::prepareFirstPage()
{
    m_newType->setChecked(true);
    m_copy->setChecked(false);
}

void NewPageDialog::showEvent(QShowEvent* event)
{
    listPages();
    QDialog::showEvent(event);
}

void NewPageDialog::listPages()
{
    m_copy->setChecked(false);
    m_pages->clear();
    m_pages->addItems(m_host.pageCaptions());
    m_pages->setCurrentIndex(-1);
    const bool hasPages = m_pages->count() > 0;
    m_copy->setEnabled(hasPages);
    m_pages->setEnabled(hasPages);
}

void NewPageDialog::copyToggled()
{
    m_pages->setEnabled(m_copy->isChecked());
}

void NewPageDialog::addPage()
{
    const int position = m_newType->isChecked() ? -1 : m_host.selectedPage();
    const int source = m_copy->isChecked() ? m_pages->currentIndex() : -1;
    QString error;
    if (!m_host.addPage(source, position, &error)) {
        refuse(this, error);
        return;
    }
    accept();
}

} // namespace sw
