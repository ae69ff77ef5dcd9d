#pragma once

#include "Base/ServiceEndPoint.h"

// The endpoint table of the service, grouped by area. Every endpoint is POST.
class ServiceEndPoints {
    static ServiceEndPoint post(const char* path)
    {
        ServiceEndPoint e;
        e.path = QString::fromLatin1(path);
        return e;
    }

public:
    struct User {
        // {email, password, macAddress} -> {userInfo, accessDto}
        static inline const ServiceEndPoint login = post("user/login");
        // {refreshToken} -> {accessDto}
        static inline const ServiceEndPoint refreshToken = post("user/refreshToken");
    };

    struct Project {
        // -> AllProjectResponse
        static inline const ServiceEndPoint getAll = post("project/getAll");
        // {name, platform} -> {project}
        static inline const ServiceEndPoint create = post("project/create");
        static inline const ServiceEndPoint downloadArtboardPreview = post("resource/downloadArtboardPreview");

        struct Component {
            static inline const ServiceEndPoint getAll = post("components/getAll");
            static inline const ServiceEndPoint getComponentTypeList = post("components/getComponentTypeList");
            static inline const ServiceEndPoint delete_ = post("components/delete");
        };

        struct ConvertView {
            static inline const ServiceEndPoint delete_ = post("components/deleteComponentInstance");
        };
    };

    struct Main {
        static inline const ServiceEndPoint detailedInfo = post("main/detailInfo");
    };

    struct Import {
        static inline const ServiceEndPoint importNewScreensSketch = post("import/newScreensFromSketch");
    };

    struct Export {
        static inline const ServiceEndPoint uploadResource = post("resource/uploadResource");
        static inline const ServiceEndPoint uploadDesignFile = post("resource/uploadDesignFile");
        static inline const ServiceEndPoint downloadProjectResourcePack = post("resource/downloadProjectResourcePack");
    };
};
