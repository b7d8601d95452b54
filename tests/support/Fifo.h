// FIFOs for tests of code that must never open one. Opening a FIFO for reading waits for
// a writer; if the code under test does, a watch opens the writing end after a while, so
// that the test goes on and fails instead of hanging until the ctest timeout.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Makes a FIFO at the path; a failure fails the test.
void makeFifo(const QString &path);

// Runs the call; true when it returned without any of the FIFOs having to be released
// (that is, without anything opening them for reading).
bool runsWithoutOpening(const QStringList &fifos, const std::function<void()> &call);
