#pragma once

class QCoreApplication;

namespace sw {

// Installs Qt's own translations into Simplified Chinese, so that the
// standard buttons and the file, font, colour and print dialogs read like
// the rest of the designer. The translators become children of the
// application. False when Qt's catalogue is not installed.
bool installQtTranslations(QCoreApplication& application);

} // namespace sw
