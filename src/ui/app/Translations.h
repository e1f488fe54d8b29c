// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window in the user's language: our catalogue from the shipped data's
// translations/ folder and Qt's own for its standard buttons and dialogs.
// Only the window's texts change; files, settings and the command line do not.
#include <QLocale>

class QCoreApplication;

namespace quill {

// Installs the catalogues for the locale's UI languages (LANGUAGE, LC_MESSAGES,
// LANG). English, or a language without a catalogue, installs nothing.
// Returns whether our own catalogue was found.
bool InstallTranslations(QCoreApplication& app, const QLocale& locale = QLocale());

}  // namespace quill
