#pragma once

#include "Account/UserProfile.h"
#include "Base/BaseModel.h"

#include <string>

// Body of "user/login".
struct LoginRequest : BaseRequestModel {
    std::string email;
    std::string password;
    std::string macAddress;
};
BOOST_DESCRIBE_STRUCT(LoginRequest, (BaseRequestModel), (email, password, macAddress))

struct LoginResponse : BaseResponseModel {
    UserInfo userInfo;
    AccessDTO accessDto;
};
BOOST_DESCRIBE_STRUCT(LoginResponse, (BaseResponseModel), (userInfo, accessDto))
