// Qt's own texts (file and print dialogs, message-box buttons) in the
// user's language, from the translations Qt installs beside itself.
#pragma once

#include <QLocale>

class QTranslator;

namespace vorna::app {

// Loads Qt's "qtbase" translation for `locale` from Qt's translations folder
// and installs it on the application (which becomes its parent). Returns
// it, or null when no file fits the locale (an English or untranslated
// locale, or the translations not installed): Qt then speaks English.
QTranslator* InstallQtTranslations(const QLocale& locale = QLocale::system());

}  // namespace vorna::app
