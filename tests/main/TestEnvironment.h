#pragma once

// Shared start-up of the test executables: a private HOME and XDG folders, QStandardPaths test
// mode, and the resource folder of the source tree.

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

inline std::unique_ptr<QTemporaryDir> prepareTestEnvironment()
{
    auto home = std::make_unique<QTemporaryDir>();
    const QByteArray path = home->path().toUtf8();
    ::setenv("HOME", path.constData(), 1);
    ::setenv("XDG_DATA_HOME", QByteArray(path + "/.local/share").constData(), 1);
    ::setenv("XDG_CONFIG_HOME", QByteArray(path + "/.config").constData(), 1);
    ::setenv("XDG_CACHE_HOME", QByteArray(path + "/.cache").constData(), 1);
    ::setenv("XDG_RUNTIME_DIR", path.constData(), 1);
    if (!::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QStandardPaths::setTestModeEnabled(true);
    return home;
}
