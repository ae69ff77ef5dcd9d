#pragma once

// Colour, font and string models as the service writes them in its replies, numbered so that a
// benchmark can make lists of them and views that name them.

#include <string>

namespace benchjson {

inline std::string colorJson(int i)
{
    const std::string c = std::to_string(i % 256);
    return R"({"name":"color)" + std::to_string(i) + R"(","alphaF":1,"alphaInt":100,"redF":)" + c +
           R"(,"greenF":10,"blueF":20,"alphaS":"1","redS":")" + c + R"(","greenS":"10","blueS":"20",)" +
           R"("red":0.5,"green":0.04,"blue":0.08,"alpha":1})";
}

inline std::string fontJson(int i)
{
    return R"({"name":"Inter","textStyleName":"Style)" + std::to_string(i) + R"(","size":)" + std::to_string(10 + i) +
           R"(,"sizeS":")" + std::to_string(10 + i) + R"(.0","weight":".bold","uniqueKey":"Inter-.bold-)" +
           std::to_string(10 + i) + R"(.0"})";
}

inline std::string stringJson(int i)
{
    return R"({"name":"text)" + std::to_string(i) + R"(","text":"Label number )" + std::to_string(i) + R"("})";
}

} // namespace benchjson
