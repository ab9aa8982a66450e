#pragma once

class QLocale;

// What every window of the program shares: the application's name, its
// icon, and the font its layout is designed for.
void prepareApplication();

// Loads the program's texts, and Qt's own for its standard buttons, in the
// language of the default locale; English, the source, needs none. Called
// again, it replaces what it loaded before.
void useLanguageOf(const QLocale& locale);
