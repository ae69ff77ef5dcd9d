// A local stand-in of the design-to-code service, for tests and for trying the application.
// Not part of the shipped application. Listens on 127.0.0.1 only.

#include "StandinScript.h"
#include "StandinServer.h"
#include "StandinStore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHostAddress>

#include <cstdio>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "service-standin: %s\n", message.toLocal8Bit().constData());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("service-standin"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Local stand-in of the design-to-code service."));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("Port to listen on (0: a free one)."),
                                        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption dataOption(QStringLiteral("data"), QStringLiteral("Folder of the stand-in's state."),
                                        QStringLiteral("DIR"), QStringLiteral("standin-data"));
    const QCommandLineOption recordOption(QStringLiteral("record"),
                                          QStringLiteral("Append one JSON line per request to FILE."), QStringLiteral("FILE"));
    const QCommandLineOption scriptOption(QStringLiteral("script"), QStringLiteral("JSON list of scripted replies."),
                                          QStringLiteral("FILE"));
    const QCommandLineOption ttlOption(QStringLiteral("token-ttl"), QStringLiteral("Access token lifetime in seconds."),
                                       QStringLiteral("SECONDS"), QStringLiteral("3600"));
    const QCommandLineOption uploadSketchOption(QStringLiteral("should-upload-sketch"),
                                                QStringLiteral("The project list's shouldUploadSketch flag."),
                                                QStringLiteral("true|false"), QStringLiteral("true"));
    parser.addOptions({portOption, dataOption, recordOption, scriptOption, ttlOption, uploadSketchOption});
    parser.process(app);

    bool ok = false;
    const uint port = parser.value(portOption).toUInt(&ok);
    if (!ok || port > 65535) return fail(QStringLiteral("invalid --port"));
    const qint64 ttl = parser.value(ttlOption).toLongLong(&ok);
    if (!ok) return fail(QStringLiteral("invalid --token-ttl"));
    const QString uploadSketch = parser.value(uploadSketchOption);
    if (uploadSketch != QLatin1String("true") && uploadSketch != QLatin1String("false"))
        return fail(QStringLiteral("--should-upload-sketch takes true or false"));

    QString error;
    StandinStore store(parser.value(dataOption), ttl);
    if (!store.open(&error)) return fail(error);
    StandinScript script;
    if (parser.isSet(scriptOption) && !script.load(parser.value(scriptOption), &error)) return fail(error);

    StandinServer server(store, script, parser.value(recordOption), uploadSketch == QLatin1String("true"));
    const quint16 bound = server.listen(QHostAddress::LocalHost, static_cast<quint16>(port));
    if (bound == 0) return fail(QStringLiteral("cannot listen on port %1").arg(port));

    std::printf("listening on http://127.0.0.1:%u\n", static_cast<unsigned>(bound));
    std::fflush(stdout);
    return app.exec();
}
