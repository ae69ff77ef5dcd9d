#pragma once

#include "CodePreferences/ProgrammingLanguage.h"

#include <string>

// The generation settings of the open project: which platform code is made for, in which
// language and language version.
struct CodeGenerationInfo {
    std::string platform; // the project's platform text, as the project list gives it
    ProgrammingLanguage language = ProgrammingLanguage::swift;
    std::string languageVersion = "5.0";

    // Swift for "iOS" (exactly), Kotlin for any other platform.
    static CodeGenerationInfo forPlatform(std::string platform);
};
