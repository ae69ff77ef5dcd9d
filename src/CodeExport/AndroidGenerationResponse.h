#pragma once

#include "Base/JsonMapping.h"

// The Android layout block of an artboard detail; carried unchanged for code export.
struct AndroidGenerationResponse : jsonmap::OpaqueObject {};
