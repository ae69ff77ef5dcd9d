#pragma once

#include "CodePreferences/ProgrammingLanguage.h"

#include <QString>

#include <map>
#include <optional>
#include <string>

// The reserved words of a target language, kept in the application's resources as a JSON object
// whose values are strings (languages/reserved/swift.json, languages/reserved/kotlin.json).
class ReservedWordsFile {
public:
    static QString path(ProgrammingLanguage language);

    // Replaces `reservedKeys` with the file's object when every value is a string. A missing or
    // unreadable file, text that is not JSON, or any other shape leaves the table as it was.
    static void read(const std::optional<QString>& file, std::map<std::string, std::string>& reservedKeys);
};
