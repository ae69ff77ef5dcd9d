#include "platform/SingleInstance.h"

#include "platform/MainQueue.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QUuid>
#include <QtEndian>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <thread>

using platform::runMainLoopUntil;
using platform::SingleInstance;

namespace {

QString uniqueName()
{
    return QStringLiteral("quorvex-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

// The second instance is another process in real life; here a thread stands in, because the
// sender blocks while the primary needs its event loop to answer.
bool sendFromOtherThread(const QString& name, const QStringList& paths)
{
    std::atomic<int> result{-1};
    std::thread t([&] {
        SingleInstance second(name);
        result = second.sendToPrimary(paths, 5000) ? 1 : 0;
    });
    runMainLoopUntil([&] { return result != -1; }, 10000);
    t.join();
    return result == 1;
}

// Writes raw bytes as a misbehaving client would, then waits for the primary to hang up.
void sendRaw(const QString& name, const QByteArray& bytes)
{
    std::atomic<bool> done{false};
    std::thread t([&] {
        QLocalSocket s;
        s.connectToServer(name);
        if (s.waitForConnected(3000)) {
            s.write(bytes);
            s.waitForBytesWritten(3000);
            s.waitForDisconnected(3000);
        }
        done = true;
    });
    runMainLoopUntil([&] { return done.load(); }, 10000);
    t.join();
}

QByteArray frame(const QByteArray& body, quint32 declared)
{
    QByteArray m(4, Qt::Uninitialized);
    qToBigEndian(declared, m.data());
    return m + body;
}

} // namespace

TEST(SingleInstance, StaleSocketIsReplacedAndTheNewPrimaryTakesPaths)
{
    const QString name = uniqueName();
    QString file;
    {
        QLocalServer probe;
        ASSERT_TRUE(probe.listen(name));
        file = probe.fullServerName();
    }
    // Leave a bound socket file that nobody listens on, as a crashed instance would.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(file);
    ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof(addr.sun_path));
    std::memcpy(addr.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(file));

    SingleInstance primary(name);
    ASSERT_TRUE(primary.tryBecomePrimary()) << "a stale socket blocked the first instance";
    std::vector<QStringList> received;
    QObject::connect(&primary, &SingleInstance::pathsReceived, [&](const QStringList& p) { received.push_back(p); });
    EXPECT_FALSE(SingleInstance(name).tryBecomePrimary()) << "a second instance took over a live server";

    const QStringList paths{QStringLiteral("/Users/me/My Design.zvusk"), QStringLiteral("/tmp/ü x.xdzvusk")};
    EXPECT_TRUE(sendFromOtherThread(name, paths));
    ASSERT_TRUE(runMainLoopUntil([&] { return !received.empty(); }, 5000));
    EXPECT_EQ(received, (std::vector<QStringList>{paths}));
}

TEST(SingleInstance, MalformedMessagesAreIgnored)
{
    const QString name = uniqueName();
    SingleInstance primary(name);
    ASSERT_TRUE(primary.tryBecomePrimary());
    int received = 0;
    QObject::connect(&primary, &SingleInstance::pathsReceived, [&](const QStringList&) { ++received; });
    struct Case {
        const char* name;
        QByteArray bytes;
    } cases[] = {{"not json", frame("hello", 5)},
                 {"object", frame("{\"a\":1}", 7)},
                 {"numbers", frame("[1,2]", 5)},
                 {"oversized", frame(QByteArray(100, 'x'), 10 * 1024 * 1024)},
                 {"zero length", frame({}, 0)},
                 {"short header", QByteArray("\x00\x00", 2)}};
    for (const auto& c : cases) sendRaw(name, c.bytes);
    runMainLoopUntil([] { return false; }, 50);
    EXPECT_EQ(received, 0);
    // Still serving after the garbage.
    EXPECT_TRUE(sendFromOtherThread(name, {QStringLiteral("/a")}));
    EXPECT_TRUE(runMainLoopUntil([&] { return received == 1; }, 5000));
}

TEST(SingleInstance, MessageBodyCodecAndALonelySender)
{
    bool ok = false;
    const QStringList paths{QStringLiteral("/a b"), QStringLiteral("\"quoted\"\\")};
    EXPECT_EQ(SingleInstance::decodePaths(SingleInstance::encodePaths(paths), &ok), paths);
    EXPECT_TRUE(ok);
    for (const char* bad : {"", "[", "[\"a\",1]", "{}", "\"a\""}) {
        SingleInstance::decodePaths(QByteArray(bad), &ok);
        EXPECT_FALSE(ok) << bad;
    }
    EXPECT_FALSE(SingleInstance(uniqueName()).sendToPrimary({QStringLiteral("/a")}, 500)) << "nobody to send to";
}
