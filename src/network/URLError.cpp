#include "network/URLError.h"

#include <QHash>
#include <QNetworkReply>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

QString reasonPhrase(qint64 status) {
    static const QHash<qint64, QString> phrases{
        {300, u"Multiple Choices"_s},
        {301, u"Moved Permanently"_s},
        {302, u"Found"_s},
        {303, u"See Other"_s},
        {304, u"Not Modified"_s},
        {307, u"Temporary Redirect"_s},
        {308, u"Permanent Redirect"_s},
        {400, u"Bad Request"_s},
        {401, u"Unauthorized"_s},
        {402, u"Payment Required"_s},
        {403, u"Forbidden"_s},
        {404, u"Not Found"_s},
        {405, u"Method Not Allowed"_s},
        {406, u"Not Acceptable"_s},
        {408, u"Request Timeout"_s},
        {409, u"Conflict"_s},
        {410, u"Gone"_s},
        {413, u"Content Too Large"_s},
        {415, u"Unsupported Media Type"_s},
        {422, u"Unprocessable Content"_s},
        {429, u"Too Many Requests"_s},
        {500, u"Internal Server Error"_s},
        {501, u"Not Implemented"_s},
        {502, u"Bad Gateway"_s},
        {503, u"Service Unavailable"_s},
        {504, u"Gateway Timeout"_s},
    };
    return phrases.value(status, status < 200   ? u"Informational"_s
                                 : status < 400 ? u"Redirection"_s
                                 : status < 500 ? u"Client Error"_s
                                                : u"Server Error"_s);
}

URLError transportError(const QNetworkReply& reply) {
    switch (reply.error()) {
        case QNetworkReply::HostNotFoundError:
            return URLError(URLError::cannotFindHost, reply.errorString());
        case QNetworkReply::ConnectionRefusedError:
        case QNetworkReply::RemoteHostClosedError:
        case QNetworkReply::NetworkSessionFailedError:
            return URLError(URLError::cannotConnectToHost, reply.errorString());
        case QNetworkReply::TimeoutError:
        case QNetworkReply::OperationCanceledError:
            return URLError(URLError::timedOut, reply.errorString());
        case QNetworkReply::SslHandshakeFailedError:
            return URLError(URLError::secureConnectionFailed, reply.errorString());
        case QNetworkReply::ProtocolUnknownError:
            return URLError(URLError::badURL, reply.errorString());
        default:
            return URLError(URLError::badServerResponse, reply.errorString());
    }
}

}  // namespace

std::optional<URLError> URLError::fromReply(const QNetworkReply& reply) {
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid()) {
        const int code = status.toInt();
        if (code < 200 || code > 299) {
            return httpStatus(code);
        }
    }
    // A good status arrives with the headers; a connection lost or timed out in the body after
    // it leaves a body that is only a part, which must not pass for the answer.
    if (reply.error() != QNetworkReply::NoError) {
        return transportError(reply);
    }
    return std::nullopt;
}

URLError::URLError(qint64 code, QString detail) : m_code(code), m_detail(std::move(detail)) {}

QString URLError::description() const {
    switch (m_code) {
        case cancelled:
            return u"The request was cancelled."_s;
        case badURL:
            return u"The address of the request is not a valid URL."_s;
        case timedOut:
            return u"The request timed out."_s;
        case cannotFindHost:
            return u"A server with the specified hostname could not be found."_s;
        case cannotConnectToHost:
            return u"Could not connect to the server."_s;
        case badServerResponse:
            return u"The server returned a response the app cannot read."_s;
        case dataLengthExceedsMaximum:
            return u"The resource exceeds the maximum size."_s;
        case secureConnectionFailed:
            return u"A secure connection to the server cannot be made."_s;
        case cannotOpenFile:
            return u"A file to upload cannot be opened."_s;
        default:
            break;
    }
    if (m_code >= 100 && m_code <= 599) {
        return u"The server answered with status %1 (%2)."_s.arg(m_code).arg(reasonPhrase(m_code));
    }
    return m_detail.isEmpty() ? u"The request failed (error %1)."_s.arg(m_code) : m_detail;
}

}  // namespace pathloom
