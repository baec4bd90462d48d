#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace sw {

// What the paper dialog needs of the main window.
class PageHost
{
public:
    virtual ~PageHost() = default;
    // The captions of the page tabs, in tab order.
    virtual QStringList pageCaptions() const = 0;
    // Index of the selected page tab, -1 for none.
    virtual int selectedPage() const = 0;
    // Adds a page (copied from page source, or empty with -1) as the first
    // page of a new paper type (position -1) or after page position, and
    // brings the window up to date. False with the reason in *error when no
    // page could be added.
    virtual bool addPage(int source, int position, QString* error) = 0;
};

// "试卷设置": adds the first page of a new paper type or a further page of the
// current paper type, empty or copied from an existing page.
class NewPageDialog : public QDialog
{
    Q_OBJECT

public:
    explicit NewPageDialog(PageHost& host, QWidget* parent = nullptr);

    QRadioButton* newPaperTypeButton() const { return m_newType; }
    QRadioButton* newPageButton() const { return m_newPage; }
    QCheckBox* copyBox() const { return m_copy; }
    QComboBox* pageList() const { return m_pages; }

    // Sets the dialog up as the main window does at start: a new paper type,
    // not copied.
    void prepareFirstPage();
    // "确定": adds the page and closes; a refusal keeps the dialog open.
    void addPage();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void listPages();
    void copyToggled();

    PageHost& m_host;
    QRadioButton* m_newType;
    QRadioButton* m_newPage;
    QCheckBox* m_copy;
    QComboBox* m_pages;
};

} // namespace sw
