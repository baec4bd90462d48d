#include "dialogs/wizarddialog.h"

#include "dialogs/databasemessage.h"
#include "dialogs/okcancelbuttons.h"
#include "platform/widgets/dialogservice.h"
#include "platform/widgets/fieldtips.h"
#include "storage/wizardsettingsstore.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace sw {

namespace {

const WizardIntegerSetting& integerSetting(int WizardSettings::*field)
{
    for (const WizardIntegerSetting& setting : wizardIntegerSettings()) {
        if (setting.field == field)
            return setting;
    }
    Q_UNREACHABLE();
}

QString textOf(const QStringList& lines)
{
    return lines.join(QLatin1Char('\n'));
}

// Labels the input for the eye (a buddy) and for a screen reader.
void addRow(QFormLayout* form, const QString& label, QWidget* input)
{
    auto* caption = new QLabel(label);
    caption->setBuddy(input);
    input->setAccessibleName(label);
    form->addRow(caption, input);
}

} // namespace

WizardDialog::WizardDialog(Database& database, WizardRunner& runner, QWidget* parent)
    : QDialog(parent), m_database(database), m_runner(runner), m_pagecount(new QSpinBox(this)),
      m_pagesize(new QComboBox(this)), m_pagetype(new QComboBox(this)),
      m_examcodetype(new QComboBox(this)), m_examcodeleng(new QSpinBox(this)),
      m_kgcount(new QSpinBox(this)), m_groupnumber(new QSpinBox(this)),
      m_attention(new QPlainTextEdit(this)), m_title(new QPlainTextEdit(this)),
      m_info(new QPlainTextEdit(this)), m_warning(new QLineEdit(this))
{
    setObjectName(QStringLiteral("WizardDialog"));
    setWindowTitle(QStringLiteral("向导"));

    const std::pair<QSpinBox*, int WizardSettings::*> spins[] = {
        {m_pagecount, &WizardSettings::pagecount},
        {m_examcodeleng, &WizardSettings::examcodeleng},
        {m_kgcount, &WizardSettings::kgcount},
        {m_groupnumber, &WizardSettings::groupnumber}};
    for (const auto& [spin, field] : spins) {
        const WizardIntegerSetting& setting = integerSetting(field);
        spin->setObjectName(QString::fromLatin1(setting.key));
        spin->setRange(setting.minimum, setting.maximum);
    }
    m_pagesize->setObjectName(QStringLiteral("ComboBox1"));
    m_pagesize->addItems({QStringLiteral("A4"), QStringLiteral("B4"), QStringLiteral("A3")});
    m_pagetype->setObjectName(QStringLiteral("pagetype"));
    // Each style carries its column count.
    m_pagetype->addItem(QStringLiteral("两幅"), QStringLiteral("2"));
    m_pagetype->addItem(QStringLiteral("三幅"), QStringLiteral("3"));
    m_examcodetype->setObjectName(QStringLiteral("examcodetype"));
    m_examcodetype->addItems({QStringLiteral("条码"), QStringLiteral("填涂")});
    m_attention->setObjectName(QStringLiteral("attention"));
    m_title->setObjectName(QStringLiteral("title"));
    m_info->setObjectName(QStringLiteral("info"));
    m_warning->setObjectName(QStringLiteral("warning"));
    for (QPlainTextEdit* edit : {m_attention, m_title, m_info})
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(m_pagesize, &QComboBox::currentIndexChanged, this, &WizardDialog::showPaperSizeStyles);

    auto* numbers = new QFormLayout;
    addRow(numbers, QStringLiteral("页数"), m_pagecount);
    addRow(numbers, QStringLiteral("尺寸"), m_pagesize);
    addRow(numbers, QStringLiteral("样式"), m_pagetype);
    addRow(numbers, QStringLiteral("准考证类型"), m_examcodetype);
    addRow(numbers, QStringLiteral("准考证位数"), m_examcodeleng);
    addRow(numbers, QStringLiteral("客观题数量"), m_kgcount);
    addRow(numbers, QStringLiteral("每组数量"), m_groupnumber);

    auto* texts = new QFormLayout;
    addRow(texts, QStringLiteral("注意事项"), m_attention);
    addRow(texts, QStringLiteral("标题"), m_title);
    addRow(texts, QStringLiteral("信息"), m_info);

    auto* columns = new QHBoxLayout;
    columns->addLayout(numbers);
    columns->addLayout(texts, 1);

    auto* warning = new QFormLayout;
    addRow(warning, QStringLiteral("警告内容"), m_warning);

    QDialogButtonBox* buttons = okCancelButtons(this);
    connect(buttons, &QDialogButtonBox::accepted, this, &WizardDialog::generate);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(warning);
    layout->addWidget(buttons);

    showSettings(WizardSettings());
    resize(640, 560);
    giveFieldTips(*this);
}

WizardSettings WizardDialog::settings() const
{
    WizardSettings s;
    s.pagecount = m_pagecount->value();
    s.pagesize = m_pagesize->currentIndex();
    s.pagetype = m_pagetype->currentIndex();
    s.examcodetype = m_examcodetype->currentIndex();
    s.examcodeleng = m_examcodeleng->value();
    s.kgcount = m_kgcount->value();
    s.groupnumber = m_groupnumber->value();
    s.attention = splitWizardLines(m_attention->toPlainText());
    s.title = splitWizardLines(m_title->toPlainText());
    s.info = splitWizardLines(m_info->toPlainText());
    s.warning = m_warning->text();
    return s;
}

void WizardDialog::showSettings(const WizardSettings& s)
{
    // Only the user's choice of a size changes whether the style applies.
    const QSignalBlocker blocker(m_pagesize);
    m_pagecount->setValue(s.pagecount);
    m_pagesize->setCurrentIndex(s.pagesize);
    m_pagetype->setCurrentIndex(s.pagetype);
    m_examcodetype->setCurrentIndex(s.examcodetype);
    m_examcodeleng->setValue(s.examcodeleng);
    m_kgcount->setValue(s.kgcount);
    m_groupnumber->setValue(s.groupnumber);
    m_attention->setPlainText(textOf(s.attention));
    m_title->setPlainText(textOf(s.title));
    m_info->setPlainText(textOf(s.info));
    m_warning->setText(s.warning);
}

void WizardDialog::showEvent(QShowEvent* event)
{
    loadSettings();
    QDialog::showEvent(event);
}

void WizardDialog::loadSettings()
{
    WizardSettings stored;
    QString error;
    if (!loadWizardSettings(m_database, stored, &error)) {
        refuse(this, databaseErrorText(QStringLiteral("不能读取向导设置。"), m_database, error),
               MessageIcon::Critical);
        return;
    }
    showSettings(stored);
}

void WizardDialog::showPaperSizeStyles(int index)
{
    m_pagetype->setEnabled(index > WizardA4);
}

void WizardDialog::generate()
{
    const WizardSettings values = settings();
    if (!m_runner.generateSheet(values))
        return;
    QString error;
    if (!storeWizardSettings(m_database, values, &error)) {
        refuse(this, databaseErrorText(QStringLiteral("不能保存向导设置。"), m_database, error),
               MessageIcon::Critical);
        return;
    }
    accept();
}

} // namespace sw
