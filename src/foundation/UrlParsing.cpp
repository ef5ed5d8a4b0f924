#include "foundation/UrlParsing.h"

namespace pathloom {

namespace {

bool isHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// The characters a URL reference may hold: unreserved, reserved, and '%' as an escape.
bool isUrlCharacter(QChar c) {
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')) {
        return true;
    }
    return QStringView(u"-._~:/?#[]@!$&'()*+,;=%").contains(c);
}

bool hasOnlyUrlCharacters(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!isUrlCharacter(c)) {
            return false;
        }
        if (c == u'%' &&
            (i + 2 >= text.size() || !isHexDigit(text.at(i + 1)) || !isHexDigit(text.at(i + 2)))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<QUrl> parseUrl(const QString& text) {
    if (text.isEmpty() || !hasOnlyUrlCharacters(text)) {
        return std::nullopt;
    }
    QUrl url(text, QUrl::StrictMode);
    if (!url.isValid()) {
        return std::nullopt;
    }
    return url;
}

std::optional<QUrl> parseUrlAsWritten(const QString& text) {
    const std::optional<QUrl> url = parseUrl(text);
    if (!url) {
        return std::nullopt;
    }
    const QUrl written(url->toString(QUrl::FullyEncoded), QUrl::StrictMode);
    return written.isValid() ? written : url;
}

}  // namespace pathloom
