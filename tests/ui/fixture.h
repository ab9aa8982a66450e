#pragma once

#include "userinput.h"

#include <QLocale>

// The worked examples as typed in English.
inline const TypedRun exampleA{"0.02", "0.01", "1", "1"};
inline const TypedRun exampleB{"0.045", "0.02", "2", "3"};

// What every window test starts from, in its init(): no fractions stored,
// the zero fractions belonging together, and the locale given, in whose
// language the windows speak.
void startWindowTest(const QLocale& locale = QLocale(QLocale::English, QLocale::UnitedStates));

// In cleanup(), QVERIFY(endWindowTest()): the C locale and its language
// back, and true when no top-level widget is left at all, visible or
// hidden, once deferred deletes have run; logs each one left.
[[nodiscard]] bool endWindowTest();
