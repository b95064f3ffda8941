#pragma once

class QCoreApplication;

// Qt's own texts (file dialogs, message-box buttons) in Japanese like the rest
// of the program, whatever the user's locale. Missing translations leave
// Qt's English texts.
void InstallJapaneseTranslations(QCoreApplication& app);
