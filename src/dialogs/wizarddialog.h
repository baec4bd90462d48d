#pragma once

#include "wizard/settings.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

namespace sw {

class Database;

// What the wizard needs of the main window.
class WizardRunner
{
public:
    virtual ~WizardRunner() = default;
    // Replaces the document by a sheet generated from the settings. False
    // when the document was left as it was (the user has been told why).
    virtual bool generateSheet(const WizardSettings& settings) = 0;
};

// "向导": the inputs of a standard answer sheet. Every showing loads the last
// settings from the database; "确定" generates the sheet and then stores the
// settings, "取消" changes nothing.
class WizardDialog : public QDialog
{
    Q_OBJECT

public:
    WizardDialog(Database& database, WizardRunner& runner, QWidget* parent = nullptr);

    // The values on screen.
    WizardSettings settings() const;

    QSpinBox* pageCountSpin() const { return m_pagecount; }
    QComboBox* sizeList() const { return m_pagesize; }
    QComboBox* styleList() const { return m_pagetype; }
    QComboBox* examCodeTypeList() const { return m_examcodetype; }
    QSpinBox* examCodeLengthSpin() const { return m_examcodeleng; }
    QSpinBox* questionCountSpin() const { return m_kgcount; }
    QSpinBox* groupSizeSpin() const { return m_groupnumber; }
    QPlainTextEdit* attentionEdit() const { return m_attention; }
    QPlainTextEdit* titleEdit() const { return m_title; }
    QPlainTextEdit* infoEdit() const { return m_info; }
    QLineEdit* warningEdit() const { return m_warning; }

    // "确定": generates, stores the settings and closes. A refused generation
    // or a failed store keeps the dialog open.
    void generate();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void loadSettings();
    void showPaperSizeStyles(int index);
    void showSettings(const WizardSettings& settings);

    Database& m_database;
    WizardRunner& m_runner;
    QSpinBox* m_pagecount;
    QComboBox* m_pagesize;
    QComboBox* m_pagetype;
    QComboBox* m_examcodetype;
    QSpinBox* m_examcodeleng;
    QSpinBox* m_kgcount;
    QSpinBox* m_groupnumber;
    QPlainTextEdit* m_attention;
    QPlainTextEdit* m_title;
    QPlainTextEdit* m_info;
    QLineEdit* m_warning;
};

} // namespace sw
