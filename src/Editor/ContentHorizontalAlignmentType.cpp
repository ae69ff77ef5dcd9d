#include "Editor/ContentHorizontalAlignmentType.h"

#include <string>

ContentHorizontalAlignmentType contentHorizontalAlignmentType(std::string_view codeValue)
{
    std::string text(codeValue);
    std::erase(text, '.');
    if (text == "justified") return ContentHorizontalAlignmentType::fill;
    if (text == "right") return ContentHorizontalAlignmentType::trailing;
    return fromRawValue<ContentHorizontalAlignmentType>(text).value_or(ContentHorizontalAlignmentType::leading);
}
