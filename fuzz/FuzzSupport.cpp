#include "FuzzSupport.h"

#include "documents/AppData.h"
#include "foundation/Json.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

namespace pathloom::fuzz {

void ensureApplication() {
    if (QCoreApplication::instance()) {
        return;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: the fuzzer leaves through exit(), when tearing Qt down gains nothing.
    static int argc = 1;
    static char name[] = "pathloom-fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* application = new QCoreApplication(argc, argv);
    (void)application;
}

QByteArray bytesOf(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

std::optional<QJsonObject> jsonObjectOf(const QByteArray& bytes) {
    const auto value = json::parse(bytes);
    if (!value || !value->isObject()) {
        return std::nullopt;
    }
    return value->toObject();
}

QList<QByteArray> splitLines(const QByteArray& bytes, qsizetype count) {
    QList<QByteArray> parts;
    qsizetype start = 0;
    while (parts.size() < count - 1) {
        const qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) {
            break;
        }
        parts.append(bytes.sliced(start, end - start));
        start = end + 1;
    }
    parts.append(bytes.sliced(std::min(start, bytes.size())));
    while (parts.size() < count) {
        parts.append(QByteArray());
    }
    return parts;
}

void fail(const char* what, const QByteArray& detail) {
    std::fprintf(stderr, "fuzz invariant broken: %s\n%s\n", what, detail.constData());
    std::abort();
}

void checkStoredFormRoundTrip(const AppData& app) {
    checkStoredFormReadsBack(json::write(app.toStored()), app);
}

void checkStoredFormReadsBack(const QByteArray& stored, const AppData& app) {
    const std::optional<QJsonObject> reread = jsonObjectOf(stored);
    if (!reread) {
        fail("the stored form is not a JSON object", stored);
    }
    const auto restored = AppData::fromStored(*reread);
    if (!restored) {
        fail("a stored form does not decode",
             restored.error().description().toUtf8() + '\n' + stored);
    }
    if (!(*restored == app)) {
        fail("a stored form decodes to another app", stored);
    }
}

}  // namespace pathloom::fuzz
