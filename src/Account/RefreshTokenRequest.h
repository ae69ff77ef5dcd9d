#pragma once

#include "Account/UserProfile.h"
#include "Base/BaseModel.h"

#include <string>

// Body of "user/refreshToken".
struct RefreshTokenRequest : BaseRequestModel {
    std::string refreshToken;
};
BOOST_DESCRIBE_STRUCT(RefreshTokenRequest, (BaseRequestModel), (refreshToken))

struct RefreshTokenResponse : BaseResponseModel {
    AccessDTO accessDto;
};
BOOST_DESCRIBE_STRUCT(RefreshTokenResponse, (BaseResponseModel), (accessDto))
