// A URL template filled from a session. The input is three parts, one per line: the template,
// the base URL, then the session as a JSON object whose entries become its values (an object
// with "_class" is decoded as a task-model object, such as a question result).
// A URL that comes back is a web URL; when neither the template nor the base names another
// server, it stays on the base's server whatever the session's values are.

#include "FuzzSupport.h"
#include "serialization/ORKESerializer.h"
#include "session/Session.h"
#include "session/URLFormatter.h"
#include "taskmodel/Value.h"

#include <QJsonObject>
#include <QRegularExpression>

using namespace pathloom;
using namespace Qt::StringLiterals;

namespace {

Value sessionValue(const QJsonValue& json) {
    if (json.isObject() && json.toObject().contains(ORKESerializationClassKey)) {
        if (auto object = ORKESerializer::objectFromJSONObject(json.toObject())) {
            return Value(std::move(*object));
        }
    }
    return Value::fromJson(json);
}

// "scheme://host:port" of a URL, the part that says which server a request goes to.
QString serverOf(const QUrl& url) {
    return url.scheme().toLower() + u"://"_s + url.host().toLower() + u':' +
           QString::number(url.port());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ensureApplication();
    const QList<QByteArray> parts = fuzz::splitLines(fuzz::bytesOf(data, size), 3);
    const QString urlTemplate = QString::fromUtf8(parts[0]);
    const QUrl base(QString::fromUtf8(parts[1]));

    Session session;
    if (const std::optional<QJsonObject> values = fuzz::jsonObjectOf(parts[2])) {
        for (auto it = values->begin(); it != values->end(); ++it) {
            session.setValueProvider(it.key(), sessionValue(it.value()));
        }
    }
    (void)session.jsonRepresentation();

    const URLFormatter formatter;
    const std::optional<QUrl> withoutSession = formatter.url(urlTemplate, base);
    const std::optional<QUrl> url = formatter.url(urlTemplate, base, &session);
    for (const std::optional<QUrl>& made : {withoutSession, url}) {
        if (made && !URLFormatter::isValidWebURL(*made)) {
            fuzz::fail("a formatted URL is no web URL", made->toString().toUtf8());
        }
    }
    // A template that begins with a scheme names its own server.
    static const QRegularExpression schemePrefix(u"^[A-Za-z][A-Za-z0-9+.-]*:"_s);
    const bool templateNamesServer = schemePrefix.match(urlTemplate).hasMatch();
    if (url && !templateNamesServer && URLFormatter::isValidWebURL(base) &&
        serverOf(*url) != serverOf(base)) {
        fuzz::fail("a session value moved the request to another server",
                   url->toString(QUrl::FullyEncoded).toUtf8());
    }
    return 0;
}
