#pragma once

#include "Base/JsonMapping.h"

// The project's code preferences as the artboard detail carries them. The client hands them on
// without looking inside; a copy is independent of the original.
struct CodePreferenceContainer : jsonmap::OpaqueObject {};
