#pragma once

#include <QString>
#include <QStringView>
#include <QUrl>
#include <optional>

namespace pathloom {

class Session;

// Turns a URL template of the app document, with {step.property} placeholders filled from the
// session, into an absolute web URL on a base URL. A value type: copy it freely.
struct URLFormatter {
    // An opening brace, one or more words each followed by one dot, a last word and a closing
    // brace; a word is one or more ASCII letters, digits or underscores: {a.b}, {a.b.c}.
    static constexpr QStringView placeholderPattern{
        u"\\{([a-zA-Z0-9_]{1,}[\\.]{1}){1,}([a-zA-Z0-9_]{1,})\\}"};

    QString regex = placeholderPattern.toString();

    // The URL that `urlTemplate` leads to: an absolute web URL as it is, else the template on
    // `baseURL`, with its placeholders replaced by the session's values when a session is given.
    // Nothing when no web URL (http or https with a host) can be made.
    [[nodiscard]] std::optional<QUrl> url(const QString& urlTemplate, const QUrl& baseURL,
                                          const Session* session = nullptr) const;

    // Whether `url` is one a request may go to: a scheme that begins with "http" and a host.
    [[nodiscard]] static bool isValidWebURL(const QUrl& url);
};

}  // namespace pathloom
