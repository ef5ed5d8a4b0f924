#include "session/URLFormatter.h"

#include "foundation/UrlParsing.h"
#include "session/Session.h"
#include "session/ValueText.h"

#include <QRegularExpression>
#include <algorithm>
#include <string_view>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// Besides ASCII letters and digits, what may stand unencoded in the path or the query of a URL.
constexpr std::string_view kPathOrQueryCharacters = "-._~!$&'()*+,;=:@/?";
// The same within one path component: ';' and '?' would end the path there.
constexpr std::string_view kPathComponentCharacters = "-._~!$&'()*+,=:@/";

bool isAsciiAlphanumeric(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Every UTF-8 byte of `text` that is not an ASCII letter or digit or one of `passing` as %XX;
// nothing for a text with a lone surrogate, which has no UTF-8 form.
std::optional<QString> percentEncoded(const QString& text, std::string_view passing) {
    if (!QStringView(text).isValidUtf16()) {
        return std::nullopt;
    }
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    const QByteArray utf8 = text.toUtf8();
    QString encoded;
    encoded.reserve(utf8.size());
    for (const char byte : utf8) {
        const auto c = static_cast<unsigned char>(byte);
        if (isAsciiAlphanumeric(c) || (c < 0x80 && passing.find(byte) != std::string_view::npos)) {
            encoded += QLatin1Char(byte);
        } else {
            encoded += u'%';
            encoded += QLatin1Char(kHexDigits[c >> 4]);
            encoded += QLatin1Char(kHexDigits[c & 0xF]);
        }
    }
    return encoded;
}

// `base` with `text` added to its path, encoded as a path component is, and exactly one "/" where
// they meet, so that "/visits" on ".../ahoy" gives ".../ahoy/visits". A query that `text` brings
// ("/items?all=true") stays a query, after the one `base` may have; the fragment of `base` stays.
std::optional<QUrl> appendingPathComponent(const QUrl& base, const QString& text) {
    const qsizetype questionMark = text.indexOf(u'?');
    const QString component = questionMark < 0 ? text : text.first(questionMark);
    std::optional<QString> encoded = percentEncoded(component, kPathComponentCharacters);
    if (!encoded) {
        return std::nullopt;
    }
    QString path = base.path(QUrl::FullyEncoded);
    if (path.endsWith(u'/') && encoded->startsWith(u'/')) {
        encoded->remove(0, 1);
    } else if (!path.endsWith(u'/') && !encoded->startsWith(u'/')) {
        path += u'/';
    }
    QUrl url = base;
    url.setPath(path + *encoded, QUrl::TolerantMode);
    if (questionMark >= 0) {
        const std::optional<QString> query =
            percentEncoded(text.sliced(questionMark + 1), kPathOrQueryCharacters);
        if (!query) {
            return std::nullopt;
        }
        const QString baseQuery = base.query(QUrl::FullyEncoded);
        url.setQuery(baseQuery.isEmpty() ? *query : baseQuery + u'&' + *query, QUrl::TolerantMode);
    }
    return url;
}

std::optional<QUrl> webURL(std::optional<QUrl> url) {
    if (url && URLFormatter::isValidWebURL(*url)) {
        return url;
    }
    return std::nullopt;
}

// The scheme that the text of `urlTemplate` itself begins with ("https" of
// "https://host/{a.b}"); empty when it begins with anything else, a placeholder included.
QString literalScheme(const QString& urlTemplate) {
    const qsizetype colon = urlTemplate.indexOf(u':');
    if (colon <= 0) {
        return {};
    }
    const QString scheme = urlTemplate.first(colon);
    const auto isSchemeCharacter = [](QChar c) {
        return c.unicode() < 0x80 &&
               (isAsciiAlphanumeric(static_cast<unsigned char>(c.unicode())) || c == u'+' ||
                c == u'-' || c == u'.');
    };
    if (!scheme.front().isLetter() ||
        !std::all_of(scheme.begin(), scheme.end(), isSchemeCharacter)) {
        return {};
    }
    return scheme;
}

// Whether both URLs reach the same server as the same user.
bool sameServer(const QUrl& a, const QUrl& b) {
    return a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0 &&
           a.host().compare(b.host(), Qt::CaseInsensitive) == 0 && a.port() == b.port() &&
           a.userInfo() == b.userInfo();
}

// However values refer to each other, replacement stops after this many passes.
constexpr qsizetype kMaxPasses = 64;

qsizetype placeholderCount(const QString& text, const QRegularExpression& expression) {
    qsizetype count = 0;
    for (auto matches = expression.globalMatch(text); matches.hasNext(); matches.next()) {
        ++count;
    }
    return count;
}

// Replaces the first placeholder of the text with its value, pass after pass, until the first
// placeholder has no text value. A value may bring placeholders of its own, which later passes
// resolve; each placeholder, of the template or brought by a value, is worth one pass, and no
// more than kMaxPasses are made, so that a value that reproduces its own placeholder ends.
QString replacingPlaceholders(const QString& urlTemplate, const QRegularExpression& expression,
                              const Session& session) {
    qsizetype passes = placeholderCount(urlTemplate, expression);
    QString text = urlTemplate;
    for (qsizetype made = 0; passes > 0 && made < kMaxPasses; --passes, ++made) {
        const QRegularExpressionMatch match = expression.match(text);
        if (!match.hasMatch()) {
            break;
        }
        const QString matched = match.captured();
        const QString keyPath =
            matched.size() >= 2 ? matched.sliced(1, matched.size() - 2) : QString();
        const std::optional<QString> value = stringValue(session.value(keyPath));
        if (!value) {
            break;
        }
        text.replace(match.capturedStart(), match.capturedLength(), *value);
        passes += placeholderCount(*value, expression);
    }
    return text;
}

// The server that an absolute template names in its own text, before its first placeholder:
// "https://api.example.com" of "https://api.example.com{q.a}/x". Nothing when that text names no
// host, as in "https://{q.a}/x".
std::optional<QUrl> templateServer(const QString& urlTemplate,
                                   const QRegularExpression& expression) {
    const qsizetype firstPlaceholder = expression.match(urlTemplate).capturedStart();
    return webURL(parseUrl(urlTemplate.first(firstPlaceholder)));
}

// The compiled expression of `pattern`. Compiling costs more than the rest of a request's URL,
// and every client uses the same pattern, so each thread keeps the last one it compiled: a
// QRegularExpression is compiled lazily and is not shared between threads here.
const QRegularExpression& compiled(const QString& pattern) {
    thread_local QRegularExpression expression;
    thread_local bool compiledOnce = false;
    if (!compiledOnce || expression.pattern() != pattern) {
        expression = QRegularExpression(pattern);
        expression.optimize();
        compiledOnce = true;
    }
    return expression;
}

}  // namespace

std::optional<QUrl> URLFormatter::url(const QString& urlTemplate, const QUrl& baseURL,
                                      const Session* session) const {
    const QRegularExpression& expression = compiled(regex);
    if (!expression.isValid()) {
        return std::nullopt;
    }
    const auto templateOnBase = [&] {
        return webURL(appendingPathComponent(baseURL, urlTemplate));
    };

    if (!expression.match(urlTemplate).hasMatch()) {
        if (const std::optional<QUrl> parsed = parseUrl(urlTemplate)) {
            if (isValidWebURL(*parsed)) {
                return parsed;
            }
            if (!parsed->scheme().isEmpty()) {
                return std::nullopt;
            }
        }
        return templateOnBase();
    }
    if (!session) {
        return templateOnBase();
    }

    const std::optional<QString> encoded = percentEncoded(
        replacingPlaceholders(urlTemplate, expression, *session), kPathOrQueryCharacters);
    if (!encoded) {
        return templateOnBase();
    }
    // An absolute template stays absolute once filled in, on the server its own text names: a
    // value must not move the request, and the credentials it carries, to another host or port.
    if (!literalScheme(urlTemplate).isEmpty()) {
        const std::optional<QUrl> server = templateServer(urlTemplate, expression);
        const std::optional<QUrl> absolute = webURL(parseUrl(*encoded));
        if (server && absolute && sameServer(*absolute, *server)) {
            return absolute;
        }
        return std::nullopt;
    }
    // Joining is plain concatenation, so text that does not start a path (a template or value
    // beginning with ".evil.example", "@evil.example" or ":8443" on a base without a path) would
    // continue the base's authority and send the request, with its credentials, elsewhere.
    if (std::optional<QUrl> joined =
            webURL(parseUrl(baseURL.toString(QUrl::FullyEncoded) + *encoded));
        joined && sameServer(*joined, baseURL)) {
        return joined;
    }
    return templateOnBase();
}

bool URLFormatter::isValidWebURL(const QUrl& url) {
    return url.isValid() && url.scheme().startsWith(u"http"_s) && !url.host().isEmpty();
}

}  // namespace pathloom
