#pragma once

#include "StandinScript.h"
#include "StandinStore.h"

#include <boost/json.hpp>

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QString>

#include <map>
#include <optional>
#include <string>

class QTcpSocket;

// The HTTP side of the stand-in: records every request, answers scripted replies first and
// otherwise the default answers of the service.
//
// GET "files/<path below uploads>" answers a stored upload (for previews and image downloads).
//
// The editor's endpoints answer from the uploads: "main/detailInfo" (StandinDetail),
// "resource/downloadArtboardPreview" (a media link to the preview stored gzip-compressed), and
// the component list, types, delete and instance delete.
//
// Errors travel as the service sends them: HTTP 200 with {"errorModel": {"errorId", "errorMsg",
// "errorInformativeText"}}; an unknown path answers HTTP 404 with error id 404.
class StandinServer : public QAbstractHttpServer {
public:
    // Error ids of the default answers.
    static constexpr int kUnauthorized = 401;        // unknown or expired access token
    static constexpr int kWrongCredentials = 10001;  // sign-in with an unknown e-mail or a wrong password
    static constexpr int kInvalidRequest = 10002;    // body not a JSON object, or a field missing or malformed
    static constexpr int kProjectNotFound = 20001;   // no such project, or the user is not a member
    static constexpr int kStorageFailed = 20002;     // the upload could not be stored
    static constexpr int kArtboardNotFound = 20001;  // the project lists no such artboard

    StandinServer(StandinStore& store, StandinScript& script, QString recordPath, bool shouldUploadSketch); // not owned

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    struct Call {
        std::string path;
        std::string authorization;
        std::optional<boost::json::object> body;
        quint16 localPort = 0; // where the stand-in answered, for links back to itself
    };
    struct Reply {
        int status = 200;
        QByteArray body;
    };
    using Handler = Reply (StandinServer::*)(const Call&);

    void record(const QHttpServerRequest& request, const std::string& path);
    void send(QTcpSocket* socket, const Reply& reply, int delayMs);

    Reply serveFile(const std::string& path) const;
    Reply answer(const Call& call);
    Reply login(const Call& call);
    Reply refreshToken(const Call& call);
    Reply getAllProjects(const Call& call);
    Reply createProject(const Call& call);
    Reply importScreens(const Call& call);
    Reply uploadResource(const Call& call);
    Reply uploadDesignFile(const Call& call);
    Reply detailInfo(const Call& call);
    Reply downloadArtboardPreview(const Call& call);
    Reply getAllComponents(const Call& call);
    Reply getComponentTypeList(const Call& call);
    Reply deleteComponent(const Call& call);
    Reply deleteComponentInstance(const Call& call);

    // The signed-in user of the call, or nullopt after `failure` is set to the 401 reply.
    std::optional<StandinStore::User> authorize(const Call& call, Reply& failure) const;
    // The project of a call ("projectId") that the signed-in user is a member of, or nullopt
    // after `failure` is set.
    std::optional<std::string> memberProject(const Call& call, Reply& failure) const;
    // True when the view is a symbol instance of an uploaded artboard still marked as a component instance.
    bool isComponentInstance(const std::string& projectId, const std::string& viewId) const;

    static Reply json(const boost::json::object& body, int status = 200);
    static Reply error(int errorId, const std::string& message, const std::string& informative = {}, int status = 200);

    StandinStore& m_store;   // not owned
    StandinScript& m_script; // not owned
    QString m_recordPath;
    bool m_shouldUploadSketch;
    std::map<std::string, Handler> m_handlers;
};
