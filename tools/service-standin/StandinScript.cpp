#include "StandinScript.h"

#include "platform/JsonText.h"

#include <QFile>

namespace {

long long integer(const boost::json::object& o, std::string_view key, long long fallback)
{
    const auto* v = o.if_contains(key);
    if (!v) return fallback;
    if (v->is_int64()) return v->get_int64();
    if (v->is_uint64()) return static_cast<long long>(std::min<std::uint64_t>(v->get_uint64(), 1u << 30));
    if (v->is_double()) return static_cast<long long>(v->get_double());
    return fallback;
}

std::string trimmedPath(std::string path)
{
    while (!path.empty() && path.front() == '/') path.erase(path.begin());
    return path;
}

} // namespace

bool StandinScript::load(const QString& path, QString* error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("cannot read the script ") + path;
        return false;
    }
    const QByteArray text = f.readAll();
    const auto parsed = platform::parseJson(std::string_view(text.constData(), static_cast<size_t>(text.size())));
    if (!parsed || !parsed->is_array()) {
        if (error) *error = QStringLiteral("the script is not a JSON list: ") + path;
        return false;
    }
    for (const auto& item : parsed->get_array()) {
        if (!item.is_object()) continue;
        const auto& o = item.get_object();
        Entry e;
        if (const auto* p = o.if_contains("path"); p && p->is_string()) e.path = trimmedPath(std::string(p->get_string()));
        e.timesLeft = integer(o, "times", 1);
        e.reply.status = static_cast<int>(std::clamp<long long>(integer(o, "status", 200), 100, 599));
        e.reply.delayMs = static_cast<int>(std::clamp<long long>(integer(o, "delayMs", 0), 0, 600000));
        e.passLeft = std::max<long long>(integer(o, "after", 0), 0);
        if (const auto* m = o.if_contains("mode"); m && m->is_string()) {
            if (m->get_string() == "drop") e.reply.mode = Mode::drop;
            else if (m->get_string() == "endless") e.reply.mode = Mode::endless;
        }
        if (const auto* b = o.if_contains("body")) {
            if (b->is_string()) {
                e.reply.body = QByteArray::fromStdString(std::string(b->get_string()));
            } else if (const auto t = platform::jsonText(*b)) {
                e.reply.body = QByteArray::fromStdString(*t);
            }
        }
        // Padding up to 1 GiB: enough to pass any reply limit of the client.
        const long long padded = std::clamp<long long>(integer(o, "bodyBytes", 0), 0, 1LL << 30);
        if (padded > e.reply.body.size()) e.reply.body.append(QByteArray(static_cast<qsizetype>(padded) - e.reply.body.size(), ' '));
        m_entries.push_back(std::move(e));
    }
    return true;
}

std::optional<StandinScript::Reply> StandinScript::take(const std::string& path)
{
    const std::string wanted = trimmedPath(path);
    for (auto& e : m_entries) {
        if (e.timesLeft == 0) continue;
        if (e.path != "*" && e.path != wanted) continue;
        if (e.passLeft > 0) {
            --e.passLeft;
            continue;
        }
        if (e.timesLeft > 0) --e.timesLeft;
        return e.reply;
    }
    return std::nullopt;
}
