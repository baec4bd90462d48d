#pragma once

#include "storage/templatelibrary.h"

#include <QByteArray>
#include <QDialog>
#include <optional>

class QTableWidget;
class QHBoxLayout;

namespace sw {

class Database;

// What the template library needs of the main window.
class TemplateLibraryHost
{
public:
    virtual ~TemplateLibraryHost() = default;
    // The document as a template stream, the bytes a template file holds.
    // False with the reason in *error.
    virtual bool templateBytes(QByteArray& bytes, QString* error) = 0;
    // Replaces the document by the stored template. False when the document
    // was left as it was (the user has been told why).
    virtual bool openTemplate(const TemplateEntry& entry) = 0;
};

// "模板库": the templates stored in the database, by name. Stores the
// document as a template, opens and deletes the selected one.
class TemplateLibraryDialog : public QDialog
{
    Q_OBJECT

public:
    static inline const QString NoTemplateMessage = QStringLiteral("没有模板");

    TemplateLibraryDialog(Database& database, TemplateLibraryHost& host, QWidget* parent = nullptr);

    QTableWidget* grid() const { return m_grid; }
    // The template of the selected row, nothing without one.
    std::optional<TemplateEntry> currentTemplate() const;

    // "删除模板", "保存为模板", "退出", "打开模板".
    void deleteSelectedTemplate();
    void saveCurrentTemplate();
    void closeLibrary();
    void openSelectedTemplate();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void reloadTemplates();
    void appendRow(const TemplateEntry& entry);
    void addButton(QHBoxLayout* bar, const char* name, const QString& caption,
                   void (TemplateLibraryDialog::*click)());
    void showDatabaseError(const QString& what, const QString& reason);

    Database& m_database;
    TemplateLibraryHost& m_host;
    QTableWidget* m_grid;
    QList<TemplateEntry> m_entries; // by grid row
};

} // namespace sw
