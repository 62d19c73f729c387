// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

class QCoreApplication;

/// Qt's own texts (file dialogs, standard buttons, edit box menus) in Japanese, whatever the
/// desktop's locale says: every other text of the program is Japanese too.
namespace Translations {

/// Installs Qt's Japanese catalogue into \a app. False when Qt's translations are missing (the
/// toolkit then stays in English, which is shown nowhere as an error).
bool install(QCoreApplication *app);

} // namespace Translations
