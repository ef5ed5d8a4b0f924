#pragma once

#include <QString>
#include <optional>

class QNetworkReply;

namespace pathloom {

// A failure of a request: a transport failure with the platform's URL error code, or an HTTP
// status outside 200–299, whose code is the status itself. Its description is a sentence a user
// can read in an alert.
class URLError {
public:
    enum Code : qint64 {
        cancelled = -999,
        badURL = -1000,
        timedOut = -1001,
        cannotFindHost = -1003,
        cannotConnectToHost = -1004,
        badServerResponse = -1011,
        dataLengthExceedsMaximum = -1103,
        secureConnectionFailed = -1200,
        cannotOpenFile = -3000,
    };

    explicit URLError(qint64 code, QString detail = {});
    static URLError httpStatus(int status) { return URLError(status); }
    // What a finished reply failed with: its HTTP status when outside 200–299, or its transport
    // error; nothing when it succeeded.
    [[nodiscard]] static std::optional<URLError> fromReply(const QNetworkReply& reply);

    [[nodiscard]] static QString domain() { return QStringLiteral("NSURLErrorDomain"); }
    [[nodiscard]] qint64 code() const { return m_code; }
    [[nodiscard]] QString description() const;
    // What the transport said, when it said more than the code.
    [[nodiscard]] const QString& detail() const { return m_detail; }

    friend bool operator==(const URLError& a, const URLError& b) { return a.m_code == b.m_code; }

private:
    qint64 m_code;
    QString m_detail;
};

}  // namespace pathloom
