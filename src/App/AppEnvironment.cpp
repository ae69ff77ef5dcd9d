#include "App/AppEnvironment.h"

#include "platform/AppInfo.h"

QString AppEnvironment::appVersion()
{
    return platform::shortVersionString();
}
