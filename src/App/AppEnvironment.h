#pragma once

#include <QString>

// What the running build knows about itself.
class AppEnvironment {
public:
    // The application's short version string (the build's project version), "" when unknown.
    static QString appVersion();
};
