#pragma once

#include <QWidget>

class QToolButton;

namespace sw {

// A titled group of the side bar whose content folds away under its header.
class CollapsibleGroup : public QWidget
{
    Q_OBJECT

public:
    CollapsibleGroup(const QString& title, QWidget* content, bool open, QWidget* parent = nullptr);

    QWidget* content() const { return m_content; }
    QToolButton* header() const { return m_header; }
    bool isOpen() const;
    void setOpen(bool open);

private:
    QToolButton* m_header;
    QWidget* m_content;
};

} // namespace sw
