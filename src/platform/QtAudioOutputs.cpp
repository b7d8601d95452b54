// Compiled as C++17 (see the build file): QList<QAudioDevice> fails Qt 6.4's
// nothrow-destructor check under C++20 with GCC 12.
#include <QAudioDevice>
#include <QMediaDevices>

#include "platform/QtSoundPlayer.h"

bool hasAudioOutput()
{
    return !QMediaDevices::audioOutputs().isEmpty();
}
