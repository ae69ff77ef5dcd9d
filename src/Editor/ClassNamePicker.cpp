#include "Editor/ClassNamePicker.h"

#include "Editor/ReservedWordsFile.h"

QString ClassNamePicker::getLanguageREservedKeysFileUrl() const
{
    return ReservedWordsFile::path(language);
}

void ClassNamePicker::readLangReservedKeysFile(const std::optional<QString>& file)
{
    ReservedWordsFile::read(file, reservedKeys);
}

ClassNamePicker ClassNamePicker::make(ProgrammingLanguage language)
{
    ClassNamePicker picker;
    picker.language = language;
    picker.readLangReservedKeysFile(picker.getLanguageREservedKeysFileUrl());
    return picker;
}
