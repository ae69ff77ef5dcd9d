#include "Import/Sketch/ArtboardModelsMapper.h"

#include "Import/Sketch/JsonSerialization.h"
#include "platform/DebugLog.h"

#include <QStringDecoder>

namespace {
bool isValidUtf8(const std::string& text)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    return !decoder.hasError();
}
} // namespace

std::shared_ptr<ArtboardSumModel> ArtboardModelsMapper::map(const ArtboardDisplayInfo& artboard)
{
    auto summary = std::make_shared<ArtboardSumModel>();
    summary->do_objectID = artboard.oid;
    summary->name = artboard.name;
    summary->frame.width = artboard.frame.width;
    summary->frame.height = artboard.frame.height;

    if (!artboard.jsonString || !isValidUtf8(*artboard.jsonString)) return summary;
    std::optional<boost::json::value> parsed = JsonSerialization::parseDocument(*artboard.jsonString);
    if (!parsed) {
        platform::debugPrint(std::string_view("JSONSerialization error"));
        return summary;
    }
    summary->dict = parsed->is_object() ? std::move(parsed->get_object()) : boost::json::object();
    return summary;
}
