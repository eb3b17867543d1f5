#pragma once

#include <QCoreApplication>

namespace pivlo {

// Qt's own texts in its dialogs and on their buttons ("取消") in Chinese, like the rest
// of the program. False when the Chinese catalogue is not installed: they stay
// in English.
bool InstallQtTranslations(QCoreApplication& app);

}  // namespace pivlo
