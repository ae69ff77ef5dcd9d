#pragma once

#include "Base/JsonMapping.h"

// The analysed-project block of a code generation reply; carried unchanged for code export.
struct ProjectAnalyzedInfoResponse : jsonmap::OpaqueObject {};
