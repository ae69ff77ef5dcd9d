#include "CodePreferences/CodeGenerationInfo.h"

#include <utility>

CodeGenerationInfo CodeGenerationInfo::forPlatform(std::string platform)
{
    CodeGenerationInfo info;
    info.language = platform == "iOS" ? ProgrammingLanguage::swift : ProgrammingLanguage::kotlin;
    info.platform = std::move(platform);
    return info;
}
