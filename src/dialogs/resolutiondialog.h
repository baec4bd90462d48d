#pragma once

#include <QDialog>
#include <optional>

class QLineEdit;

namespace sw {

// "请设置图像的分辨率": asks for the resolution, in pixels per inch, at which a
// page is exported as a picture. The field takes digits only.
class ResolutionDialog : public QDialog
{
    Q_OBJECT

public:
    // pixelsPerInch: the screen's, shown in the field whenever the dialog opens.
    ResolutionDialog(int pixelsPerInch, QWidget* parent = nullptr);

    QLineEdit* field() const { return m_edit; }
    // The field as a whole number; nothing for an empty field.
    std::optional<int> resolution() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showResolution();

    const int m_pixelsPerInch;
    QLineEdit* m_edit;
};

} // namespace sw
