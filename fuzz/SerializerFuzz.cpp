// The task-model decoder, fed JSON text as a step, task, result or answer format document.
// What decodes must encode to JSON that decodes again and encodes the same way.

#include "FuzzSupport.h"
#include "foundation/Json.h"
#include "serialization/ORKESerializer.h"

#include <QJsonArray>

using namespace pathloom;
using namespace Qt::StringLiterals;

namespace {

// A style name outside its table decodes to the not-found position, which has no name to encode
// back: the key is left out and then reads as the table's first style. So a style key that the
// first encoding lacks and the second has is no difference; every other one is.
bool sameExceptUnnamedStyles(const QJsonValue& first, const QJsonValue& second) {
    static const QStringList styleKeys{u"style"_s, u"numberStyle"_s, u"measurementSystem"_s};
    if (first.isObject() && second.isObject()) {
        const QJsonObject a = first.toObject();
        const QJsonObject b = second.toObject();
        for (auto it = b.begin(); it != b.end(); ++it) {
            if (!a.contains(it.key()) && !styleKeys.contains(it.key())) {
                return false;
            }
        }
        for (auto it = a.begin(); it != a.end(); ++it) {
            if (!b.contains(it.key()) || !sameExceptUnnamedStyles(it.value(), b.value(it.key()))) {
                return false;
            }
        }
        return true;
    }
    if (first.isArray() && second.isArray()) {
        const QJsonArray a = first.toArray();
        const QJsonArray b = second.toArray();
        if (a.size() != b.size()) {
            return false;
        }
        for (qsizetype i = 0; i < a.size(); ++i) {
            if (!sameExceptUnnamedStyles(a[i], b[i])) {
                return false;
            }
        }
        return true;
    }
    return first == second;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ensureApplication();
    const auto object = ORKESerializer::objectFromJSONData(fuzz::bytesOf(data, size));
    if (!object) {
        (void)object.error().localizedDescription();
        return 0;
    }
    if (!*object) {
        return 0;
    }
    const QJsonValue encoded = ORKESerializer::JSONObjectForObject(Value(*object));
    if (!encoded.isObject()) {
        fuzz::fail("a decoded object does not encode to a JSON object");
    }
    const QByteArray text = json::write(encoded.toObject());
    const auto decoded = ORKESerializer::objectFromJSONObject(encoded.toObject());
    if (!decoded) {
        fuzz::fail("the encoding of a decoded object does not decode",
                   decoded.error().failureReason().toUtf8() + '\n' + text);
    }
    if (!*decoded) {
        fuzz::fail("the encoding of a decoded object decodes to nothing", text);
    }
    const QJsonValue reencoded = ORKESerializer::JSONObjectForObject(Value(*decoded));
    if (!sameExceptUnnamedStyles(encoded, reencoded)) {
        fuzz::fail("an object encodes differently after a round trip",
                   text + '\n' + json::write(reencoded.toObject()));
    }
    return 0;
}
