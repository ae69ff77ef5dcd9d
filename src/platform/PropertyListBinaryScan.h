#pragma once

#include <QByteArray>

namespace platform {

// True when a binary property list holds a UTF-16 string with a U+0000 in it. The property-list
// library aborts the whole process (an assertion) when such a string is a dictionary key, so
// these lists are refused before the library sees them. Lists whose tables do not add up are left
// to the library, which refuses them itself.
bool binaryPropertyListHasNulInUnicodeString(const QByteArray& bytes);

} // namespace platform
