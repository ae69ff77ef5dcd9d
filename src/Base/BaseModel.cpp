#include "Base/BaseModel.h"

#include "platform/AppInfo.h"

std::string BaseRequestModel::defaultVersion()
{
    return platform::shortVersionString().toStdString();
}
