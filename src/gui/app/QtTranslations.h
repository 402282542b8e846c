#pragma once

class QCoreApplication;

namespace app {

// Loads Qt's own German texts (standard buttons "Ja", "Nein", "Abbrechen", file dialogs) whatever the user's
// language: the rest of the program speaks German too. False when Debian's translations are not installed; the
// standard dialogs then stay English, nothing else changes.
bool loadGermanQtTranslations(QCoreApplication& application);

} // namespace app
