#include "Editor/VariableNamePicker.h"

#include "Editor/ReservedWordsFile.h"

QString VariableNamePicker::getLanguageREservedKeysFileUrl() const
{
    return ReservedWordsFile::path(language);
}

void VariableNamePicker::readLangReservedKeysFile(const std::optional<QString>& file)
{
    ReservedWordsFile::read(file, reservedKeys);
}

VariableNamePicker VariableNamePicker::make(ProgrammingLanguage language, VariableNameType type)
{
    VariableNamePicker picker;
    picker.language = language;
    picker.type = type;
    picker.readLangReservedKeysFile(picker.getLanguageREservedKeysFileUrl());
    return picker;
}
