#pragma once

class QDialog;
class QDialogButtonBox;

namespace sw {

// The "确定" (object name "OkButton", default) and "取消" ("CancelButton") buttons
// of the small dialogs. Cancel rejects the dialog; the caller connects
// accepted() to its confirmation.
QDialogButtonBox* okCancelButtons(QDialog* dialog);

} // namespace sw
