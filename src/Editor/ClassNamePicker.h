#pragma once

#include "CodePreferences/ProgrammingLanguage.h"

#include <QString>

#include <map>
#include <optional>
#include <string>

// Carries what code naming of classes needs for one language: the reserved words and the names
// already taken. Creators set `language`, then load the reserved words.
class ClassNamePicker {
public:
    std::map<std::string, std::string> reservedKeys;
    ProgrammingLanguage language = ProgrammingLanguage::swift;
    std::map<std::string, std::string> scopeNameList;
    std::map<std::string, std::string> scopeNameListForLayers;

    QString getLanguageREservedKeysFileUrl() const;
    void readLangReservedKeysFile(const std::optional<QString>& file);

    static ClassNamePicker make(ProgrammingLanguage language);
};
