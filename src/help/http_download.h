#pragma once

#include <QFile>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <memory>

class QNetworkAccessManager;

namespace lexo {

// Fetches one address over http or https into a file, one transfer at a time. The data
// goes to FILE.part and becomes FILE only when the transfer is complete: the byte count
// equals the announced length. A stopped or failed transfer leaves no FILE.part behind and
// never touches an existing FILE.
class HttpDownload : public QObject {
    Q_OBJECT
public:
    explicit HttpDownload(QObject* parent = nullptr);
    ~HttpDownload() override;

    QUrl url;
    QString fileName;  // empty: the body arrives through doneString
    QString acceptTypes = QStringLiteral("*/*");
    QString agent = QStringLiteral("UtilMind HTTPGet");
    // A binary transfer needs the length announced, or it fails before writing anything.
    bool binaryData = false;
    bool useCache = false;
    QString userName;
    QString password;
    // Form data; when not empty the request is a POST.
    QByteArray postQuery;
    QString referer;

    // False (and nothing happens) while a transfer runs or when the target cannot be made.
    bool start();
    // Ends the running transfer as failed; error() follows.
    void stop();
    bool running() const { return reply_ != nullptr; }

signals:
    // total is the announced length, 0 when none was announced.
    void progress(qint64 total, qint64 received);
    void doneFile(const QString& fileName, qint64 size);
    void doneString(const QByteArray& result);
    void error();

private:
    void headersArrived();
    void dataArrived();
    void transferEnded();
    void fail();

    QNetworkAccessManager* network_ = nullptr;
    QPointer<QNetworkReply> reply_;
    QFile part_;
    QByteArray memory_;
    qint64 total_ = 0;
    qint64 received_ = 0;
    bool lengthKnown_ = false;
    bool headersSeen_ = false;
    bool failed_ = false;
};

}  // namespace lexo
