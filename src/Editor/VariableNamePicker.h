#pragma once

#include "CodePreferences/ProgrammingLanguage.h"
#include "Editor/VariableNameType.h"

#include <QString>

#include <map>
#include <optional>
#include <string>

// Carries what code naming of variables needs for one language: the reserved words and the
// names already taken in a scope. Creators set `language` and `type`, then load the reserved words.
class VariableNamePicker {
public:
    std::map<std::string, std::string> reservedKeys;
    ProgrammingLanguage language = ProgrammingLanguage::swift;
    std::map<std::string, std::string> scopeVariableNameList;
    std::map<std::string, std::string> scopeVariableNameListForLayers;
    VariableNameType type = VariableNameType::image;

    // The reserved-words file of `language` in the application's resources.
    QString getLanguageREservedKeysFileUrl() const;
    void readLangReservedKeysFile(const std::optional<QString>& file);

    // A picker for one language with its reserved words loaded.
    static VariableNamePicker make(ProgrammingLanguage language, VariableNameType type);
};
