#pragma once

#include "Base/BaseModel.h"
#include "CodeExport/ProjectAnalyzedInfoResponse.h"

#include <optional>

// The code generation reply, as far as this client reads it.
struct CodeGenerationResponse : BaseResponseModel {
    std::optional<ProjectAnalyzedInfoResponse> projectAnalyzedInfo;
};
BOOST_DESCRIBE_STRUCT(CodeGenerationResponse, (BaseResponseModel), (projectAnalyzedInfo))
