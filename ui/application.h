#pragma once

// What every window of the program shares: the application's name, its
// icon, and the font its layout is designed for.
void prepareApplication();
