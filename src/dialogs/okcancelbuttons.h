#pragma once

class QDialog;
class QDialogButtonBox;

namespace sw {

// The "确定" (object name "Button1", default) and "取消" ("Button2") buttons
// of the small dialogs. Cancel rejects the dialog; the caller connects
// accepted() to its confirmation.
QDialogButtonBox* okCancelButtons(QDialog* dialog);

} // namespace sw
