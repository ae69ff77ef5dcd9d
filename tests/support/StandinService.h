#pragma once

// Starts the stand-in service as a real process for integration tests. The constructor points
// ServiceEndPoint at the process; the destructor puts the previous base URL back and kills it.
// Answers and script format: tools/service-standin (StandinServer.h, StandinScript.h).

#include <boost/json.hpp>

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class StandinService {
public:
    struct Options {
        // A JSON list of scripted replies ({"path","times","status","body","delayMs"}); empty: none.
        std::string scriptJson;
        // Reuse a data folder (to simulate a restart); empty: a fresh temporary one.
        QString dataDir;
        std::optional<bool> shouldUploadSketch;
    };

    static Options withScript(std::string scriptJson);

    StandinService();
    explicit StandinService(const Options& options);
    ~StandinService();

    StandinService(const StandinService&) = delete;
    StandinService& operator=(const StandinService&) = delete;

    bool isRunning() const { return m_baseUrl.isValid(); }
    QString errorText() const { return m_error; }

    QUrl baseUrl() const { return m_baseUrl; }
    QString dataDir() const { return m_dataDir; }
    QString recordPath() const;

    // Every request received so far, in order (parsed record lines).
    std::vector<boost::json::object> records() const;
    // The paths of records() ("user/login", ...).
    std::vector<std::string> recordedPaths() const;
    // Forgets the records so far.
    void clearRecords();

    // Posts a JSON body straight to the stand-in (no service client, no dialogs) and waits for
    // the answer: the parsed body, or nullopt when there is none or it is not a JSON object.
    std::optional<boost::json::object> post(const std::string& path, const boost::json::object& body,
                                            const std::string& accessToken = {}) const;
    // Signs the demo user ("demo@example.com" / "demo") in and saves the session into
    // UserProfile::shared(), as the login screen does. False when the sign-in failed.
    bool signInDemoUser() const;

    // Kills the process (the data folder stays until destruction).
    void stop();

    // A header of a record, looked up without regard to case; nullopt when absent.
    static std::optional<std::string> header(const boost::json::object& record, std::string_view name);
    // A string member of a record's body; "" when absent.
    static std::string bodyString(const boost::json::object& record, std::string_view key);

private:
    void start(const Options& options);

    std::unique_ptr<QTemporaryDir> m_workDir;
    std::unique_ptr<QProcess> m_process;
    QString m_dataDir;
    QUrl m_baseUrl;
    QUrl m_previousBaseUrl;
    QString m_error;
};
