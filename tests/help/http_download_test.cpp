#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <gtest/gtest.h>

#include "help/http_download.h"
#include "help/local_http_server.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

using testing::LocalHttpServer;
using testing::TempDir;

QString qpath(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

QByteArray pattern(qint64 size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xff);
    return bytes;
}

struct Outcome {
    bool done = false;
    bool failed = false;
    qint64 size = -1;
    qint64 lastTotal = -1;
    qint64 lastReceived = -1;
    int progressCalls = 0;
};

// Runs the transfer to its end (or a timeout) and records what the component reported.
Outcome run(HttpDownload& download, const std::function<void(qint64)>& onProgress = {}) {
    Outcome outcome;
    QObject context;
    QObject::connect(&download, &HttpDownload::doneFile, &context, [&](const QString&, qint64 size) {
        outcome.done = true;
        outcome.size = size;
    });
    QObject::connect(&download, &HttpDownload::doneString, &context, [&](const QByteArray& body) {
        outcome.done = true;
        outcome.size = body.size();
    });
    QObject::connect(&download, &HttpDownload::error, &context, [&] { outcome.failed = true; });
    QObject::connect(&download, &HttpDownload::progress, &context, [&](qint64 total, qint64 received) {
        outcome.lastTotal = total;
        outcome.lastReceived = received;
        ++outcome.progressCalls;
        if (onProgress) onProgress(received);
    });
    if (!download.start()) {
        outcome.failed = true;
        return outcome;
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return outcome.done || outcome.failed; }, 20000));
    return outcome;
}

class HttpDownloadTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.listening()); }

    std::filesystem::path target() const { return dir / "Aktualizace" / "lexo.bin"; }
    std::filesystem::path partial() const { return dir / "Aktualizace" / "lexo.bin.part"; }

    HttpDownload& binary(const QByteArray& path) {
        std::filesystem::create_directories(target().parent_path());
        download.url = server.url(path);
        download.fileName = qpath(target());
        download.binaryData = true;
        return download;
    }

    TempDir dir;
    LocalHttpServer server;
    HttpDownload download;
};

TEST_F(HttpDownloadTest, LargeFileArrivesWholeWithItsSize) {
    const QByteArray body = pattern(5 * 1024 * 1024);
    // The first megabyte comes alone, so that progress is reported before the end however
    // fast the loopback hands the rest over.
    LocalHttpServer::Route route{body};
    route.holdAfter = 1024 * 1024;
    server.add("/lexo.bin", route);
    const Outcome outcome = run(binary("/lexo.bin"), [&](qint64 received) {
        if (received >= route.holdAfter) server.releaseHeld();
    });
    ASSERT_TRUE(outcome.done);
    EXPECT_EQ(outcome.size, body.size());
    EXPECT_EQ(outcome.lastTotal, body.size());
    EXPECT_EQ(outcome.lastReceived, body.size());
    EXPECT_GT(outcome.progressCalls, 1);
    EXPECT_EQ(testing::readBytes(target()), body.toStdString());
    EXPECT_FALSE(std::filesystem::exists(partial()));
    EXPECT_FALSE(download.running());

    // What the request carried: the agent, the accepted types, no cache, a GET.
    const auto& request = server.requests().back();
    EXPECT_EQ(request.method, "GET");
    EXPECT_TRUE(request.headers.contains("User-Agent: UtilMind HTTPGet"));
    EXPECT_TRUE(request.headers.contains("Accept: */*"));
    EXPECT_TRUE(request.headers.toLower().contains("cache-control: no-cache"));
}

TEST_F(HttpDownloadTest, BinaryTransferWithoutLengthFailsBeforeWritingAnything) {
    server.add("/lexo.bin", {pattern(100000), 200, false});
    testing::writeBytes(target(), "older installer");
    const Outcome outcome = run(binary("/lexo.bin"));
    EXPECT_TRUE(outcome.failed);
    EXPECT_FALSE(outcome.done);
    EXPECT_EQ(outcome.progressCalls, 0);
    EXPECT_FALSE(std::filesystem::exists(partial()));
    // An installer already there stays as it was.
    EXPECT_EQ(testing::readBytes(target()), "older installer");
}

TEST_F(HttpDownloadTest, TextTransferWithoutLengthEndsWithTheConnection) {
    server.add("/N-VERZE.TXT", {"2.80\r\n", 200, false});
    download.url = server.url("/N-VERZE.TXT");
    download.fileName = qpath(dir / "N-VERZE.TXT");
    const Outcome outcome = run(download);
    ASSERT_TRUE(outcome.done);
    EXPECT_EQ(testing::readBytes(dir / "N-VERZE.TXT"), "2.80\r\n");
}

TEST_F(HttpDownloadTest, NotFoundAndRefusedConnectionFail) {
    const Outcome missing = run(binary("/nowhere.bin"));
    EXPECT_TRUE(missing.failed);
    EXPECT_FALSE(std::filesystem::exists(target()));
    EXPECT_FALSE(std::filesystem::exists(partial()));

    // A port that was free a moment ago refuses the connection.
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    download.url = QUrl(QStringLiteral("http://127.0.0.1:%1/lexo.bin").arg(port));
    const Outcome refused = run(download);
    EXPECT_TRUE(refused.failed);
    EXPECT_FALSE(std::filesystem::exists(target()));
    EXPECT_FALSE(std::filesystem::exists(partial()));
}

TEST_F(HttpDownloadTest, FewerBytesThanAnnouncedFail) {
    LocalHttpServer::Route shortRoute{pattern(300000)};
    shortRoute.announcedLength = 400000;
    server.add("/lexo.bin", shortRoute);
    const Outcome outcome = run(binary("/lexo.bin"));
    EXPECT_TRUE(outcome.failed);
    EXPECT_EQ(outcome.lastTotal, 400000);
    EXPECT_FALSE(std::filesystem::exists(target()));
    EXPECT_FALSE(std::filesystem::exists(partial()));
}

TEST_F(HttpDownloadTest, StopInTheMiddleFailsAndLeavesNothingThatLooksComplete) {
    LocalHttpServer::Route slow{pattern(1000000)};
    slow.holdAfter = 200000;
    server.add("/lexo.bin", slow);
    bool stopped = false;
    HttpDownload& transfer = binary("/lexo.bin");
    const Outcome outcome = run(transfer, [&](qint64 received) {
        if (received >= 200000 && !stopped) {
            stopped = true;
            // A second start while one runs is refused.
            EXPECT_FALSE(transfer.start());
            EXPECT_TRUE(std::filesystem::exists(partial()));
            transfer.stop();
        }
    });
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(outcome.failed);
    EXPECT_FALSE(outcome.done);
    EXPECT_FALSE(std::filesystem::exists(target()));
    EXPECT_FALSE(std::filesystem::exists(partial()));
    EXPECT_FALSE(transfer.running());

    // The component can be used again afterwards.
    server.add("/again.bin", {pattern(1000)});
    transfer.url = server.url("/again.bin");
    EXPECT_TRUE(run(transfer).done);
    EXPECT_EQ(std::filesystem::file_size(target()), 1000u);
}

TEST_F(HttpDownloadTest, PostSendsTheFormData) {
    server.add("/form", {"ok"});
    download.url = server.url("/form");
    download.postQuery = "jmeno=Lexo&verze=2.95";
    download.referer = QStringLiteral("http://lexo.example/");
    const Outcome outcome = run(download);
    ASSERT_TRUE(outcome.done);
    EXPECT_EQ(outcome.size, 2);
    const auto& request = server.requests().back();
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.body, "jmeno=Lexo&verze=2.95");
    EXPECT_TRUE(request.headers.contains("Content-Type: application/x-www-form-urlencoded"));
    EXPECT_TRUE(request.headers.contains("Referer: http://lexo.example/"));
}

TEST_F(HttpDownloadTest, TargetThatCannotBeCreatedIsRefused) {
    download.url = server.url("/lexo.bin");
    download.fileName = qpath(dir / "missing-folder" / "lexo.bin");
    EXPECT_FALSE(download.start());
    download.fileName = qpath(target());
    download.url = QUrl(QStringLiteral("file:///etc/passwd"));
    EXPECT_FALSE(download.start());
}

}  // namespace
}  // namespace lexo
