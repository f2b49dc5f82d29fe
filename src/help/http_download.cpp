#include "help/http_download.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <filesystem>

#include "help/update_check.h"

namespace lexo {
namespace {

constexpr int kSilenceTimeoutMs = 60000;

}  // namespace

HttpDownload::HttpDownload(QObject* parent) : QObject(parent), network_(new QNetworkAccessManager(this)) {}

HttpDownload::~HttpDownload() {
    if (reply_ != nullptr) {
        reply_->disconnect(this);
        reply_->abort();
    }
    if (part_.isOpen()) part_.remove();
}

bool HttpDownload::start() {
    if (running()) return false;
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != u"http" && scheme != u"https")) return false;

    failed_ = false;
    total_ = 0;
    received_ = 0;
    lengthKnown_ = false;
    headersSeen_ = false;
    memory_.clear();
    if (!fileName.isEmpty()) {
        part_.setFileName(fileName + QString::fromLatin1(kPartialDownloadSuffix.data(),
                                                         static_cast<qsizetype>(kPartialDownloadSuffix.size())));
        if (!part_.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    }

    QUrl address = url;
    if (!userName.isEmpty()) address.setUserName(userName);
    if (!password.isEmpty()) address.setPassword(password);
    QNetworkRequest request(address);
    request.setHeader(QNetworkRequest::UserAgentHeader, agent);
    request.setRawHeader("Accept", acceptTypes.toUtf8());
    if (!referer.isEmpty()) request.setRawHeader("Referer", referer.toUtf8());
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         useCache ? QNetworkRequest::PreferCache : QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, useCache);
    // The length is checked against what arrives, so the body must come as sent.
    request.setRawHeader("Accept-Encoding", "identity");
    // A server that goes silent ends the transfer as failed instead of holding it for ever.
    request.setTransferTimeout(kSilenceTimeoutMs);

    QNetworkReply* reply = nullptr;
    if (postQuery.isEmpty()) {
        reply = network_->get(request);
    } else {
        request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
        reply = network_->post(request, postQuery);
    }
    reply_ = reply;
    connect(reply, &QNetworkReply::metaDataChanged, this, &HttpDownload::headersArrived);
    connect(reply, &QNetworkReply::readyRead, this, &HttpDownload::dataArrived);
    connect(reply, &QNetworkReply::finished, this, &HttpDownload::transferEnded);
    return true;
}

void HttpDownload::stop() {
    if (!running()) return;
    failed_ = true;
    reply_->abort();  // finished follows at once
}

void HttpDownload::headersArrived() {
    if (reply_ == nullptr || failed_) return;
    const QVariant status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    // A redirect's own headers say nothing about the file.
    if (status.isValid() && status.toInt() >= 300 && status.toInt() < 400) return;
    headersSeen_ = true;
    const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
    lengthKnown_ = length.isValid();
    total_ = lengthKnown_ ? length.toLongLong() : 0;
    if (status.isValid() && (status.toInt() < 200 || status.toInt() >= 300)) {
        fail();
    } else if (binaryData && !lengthKnown_) {
        fail();
    }
}

void HttpDownload::dataArrived() {
    if (reply_ != nullptr && !headersSeen_) headersArrived();
    if (reply_ == nullptr || failed_) return;
    const QByteArray chunk = reply_->readAll();
    if (chunk.isEmpty()) return;
    received_ += chunk.size();
    if (lengthKnown_ && received_ > total_) {
        fail();
        return;
    }
    if (part_.isOpen()) {
        if (part_.write(chunk) != chunk.size()) {
            fail();
            return;
        }
    } else {
        memory_ += chunk;
    }
    emit progress(total_, received_);
}

void HttpDownload::fail() {
    failed_ = true;
    // A reply that already failed finishes by itself.
    if (reply_ != nullptr && !reply_->isFinished() && reply_->error() == QNetworkReply::NoError) reply_->abort();
}

void HttpDownload::transferEnded() {
    QNetworkReply* reply = reply_;
    if (reply == nullptr) return;
    if (!failed_) dataArrived();
    if (!failed_ && reply->error() != QNetworkReply::NoError) failed_ = true;
    // Without an announced length a text transfer ends when the server closes it.
    if (!failed_ && lengthKnown_ && received_ != total_) failed_ = true;
    reply_ = nullptr;
    reply->deleteLater();

    bool ok = !failed_;
    if (part_.isOpen()) {
        if (ok && !part_.flush()) ok = false;
        part_.close();
        if (ok) {
            // One step, so an older installer of the same name stays whole until then.
            std::error_code ec;
            std::filesystem::rename(QFile::encodeName(part_.fileName()).toStdString(),
                                    QFile::encodeName(fileName).toStdString(), ec);
            ok = !ec;
        }
        if (!ok) part_.remove();
    }
    if (!ok) {
        emit error();
        return;
    }
    if (fileName.isEmpty())
        emit doneString(memory_);
    else
        emit doneFile(fileName, lengthKnown_ ? total_ : received_);
}

}  // namespace lexo
