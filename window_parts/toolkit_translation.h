#pragma once

#include <QString>

// Puts Qt's own texts (the file dialogs, the replace question, the message
// box's buttons, the boxes' context menus) in the language of that code
// ("es", "en", "pt_BR"), from Qt's translations, in place of any chosen
// before; where there is none, they stay in English. True when a
// translation was found.
bool installToolkitTranslation(const QString& language);

// The same, put off until Qt's texts are first needed: most sessions never
// open a dialog or a context menu, and the translation costs start-up time
// and memory. A context menu loads it by itself; a dialog's builder calls
// loadToolkitTranslation first.
void useToolkitLanguage(const QString& language);
void loadToolkitTranslation();
