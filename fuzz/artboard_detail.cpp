// The artboard detail reply, the largest reply the editor reads: decoded by the tolerant mapper,
// written back and decoded again (nothing kept may be lost), then taken the road the project
// window takes with it: the flat artboard record into a container, the pickers loaded from the
// project lists, and the first artboard item's views mapped into client records (which parses each
// view's layer text).
//
// Input: the reply body.

#include "Base/ServiceReply.h"
#include "Editor/ArtboardDetailInfoResponse.h"
#include "Editor/ClassNamePicker.h"
#include "Editor/ColorNamePicker.h"
#include "Editor/FontNamePicker.h"
#include "Editor/StringNamePicker.h"
#include "Editor/ViewInfoMapper.h"
#include "Import/Sketch/SketchReaderOnline.h"
#include "platform/HttpSession.h"
#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::initialise();
    platform::HttpResult result;
    result.statusCode = 200;
    result.body = QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ServiceReply reply = ServiceReply::from(result);
    if (reply.kind != ServiceReply::Kind::success) return 0;

    const auto response = jsonmap::fromJson<ArtboardDetailInfoResponse>(reply.body);
    const boost::json::object written = jsonmap::toJsonObject(response);
    if (jsonmap::toJsonObject(jsonmap::fromJson<ArtboardDetailInfoResponse>(written)) != written) __builtin_trap();

    SketchReaderOnline reader;
    const auto map = reader.prepareArtboardMap(response.artboardFlatModel);
    auto colors = std::make_shared<ColorNamePicker>();
    colors->loadMap(response.colors);
    auto fonts = std::make_shared<FontNamePicker>();
    fonts->loadMap(response.fonts);
    auto strings = std::make_shared<StringNamePicker>();
    strings->loadMap(response.strings);
    auto classes = std::make_shared<ClassNamePicker>(ClassNamePicker::make(ProgrammingLanguage::swift));
    if (response.artboardViewInfoList.empty() || !response.artboardViewInfoList.front()) return 0;
    const auto& views = response.artboardViewInfoList.front()->viewInfoList;
    const auto items = ViewInfoMapper::map(views, colors, fonts, strings, classes);
    if (items.size() != views.size()) __builtin_trap();
    (void)map;
    return 0;
}
