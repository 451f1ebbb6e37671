// The program as the platform knows it: its name and its look, set once before any window is made.
#pragma once

class QApplication;

namespace vildo::qt {

// Qt's own Swedish texts for the standard dialogs and buttons; false when the catalogue is not installed.
bool loadQtTranslations(QApplication& app);

// The dark style, Swedish for Qt's own texts, and the application title "Vildo". No display name is set: the platform
// would append it to every window title, and the titles stand exactly as the program gives them.
void setUpApplication(QApplication& app);

}  // namespace vildo::qt
