#include "editor/collapsiblegroup.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace sw {

CollapsibleGroup::CollapsibleGroup(const QString& title, QWidget* content, bool open,
                                   QWidget* parent)
    : QWidget(parent), m_header(new QToolButton(this)), m_content(content)
{
    m_header->setText(title);
    m_header->setCheckable(true);
    m_header->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_header->setAutoRaise(true);
    QFont bold = m_header->font();
    bold.setBold(true);
    m_header->setFont(bold);
    connect(m_header, &QToolButton::toggled, this, &CollapsibleGroup::setOpen);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_header);
    content->setParent(this);
    layout->addWidget(content);
    setOpen(open);
}

bool CollapsibleGroup::isOpen() const
{
    return m_header->isChecked();
}

void CollapsibleGroup::setOpen(bool open)
{
    m_header->setChecked(open);
    m_header->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
    m_content->setVisible(open);
}

} // namespace sw
