#pragma once

class QCoreApplication;

namespace vesk {

// Qt's own texts (the buttons of message boxes, the file, colour and font
// dialogs) in Japanese, like the program's, whatever the desktop's language;
// from the distribution's Qt translation files. False when they are missing.
bool installQtTranslations(QCoreApplication &app);

} // namespace vesk
