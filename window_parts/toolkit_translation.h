#pragma once

#include <QString>

// Puts Qt's own texts (the file dialogs, the replace question, the message
// box's buttons) in the language of that code ("es", "en", "pt_BR"), from
// Qt's translations, in place of any chosen before; where there is none,
// they stay in English. True when a translation was found.
bool installToolkitTranslation(const QString& language);
