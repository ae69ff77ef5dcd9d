#pragma once

#include <boost/json.hpp>

#include <QByteArray>

#include <optional>

// Writes a request body as compact JSON text, the same bytes platform::jsonText writes, but piece
// by piece: the members of the top object and the elements of the lists in it are written one at a
// time, each let go as soon as its text is in the body. An import request carries a whole design
// as text inside it; written in one go, its tree, the writer's growing text and the copy of that
// text would all be held at once.
class JsonRequestWriter {
public:
    // The text of `body`, which is left null. nullopt when the body holds a number JSON cannot
    // carry (the body is still let go).
    static std::optional<QByteArray> take(boost::json::value& body);

private:
    // Appends `value` and releases it; containers down to `levels` deep are taken apart.
    static bool append(QByteArray& out, boost::json::value& value, int levels);
    static bool appendWhole(QByteArray& out, const boost::json::value& value);
    static void appendBytes(QByteArray& out, const char* data, qsizetype size);
};
