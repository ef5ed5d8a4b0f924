#include "JsonLiteral.h"

#include "foundation/Json.h"

#include <gtest/gtest.h>

namespace pathloom::test {

QJsonObject jsonObject(const QByteArray& text) {
    const auto value = json::parse(text);
    EXPECT_TRUE(value && value->isObject()) << "not a JSON object: " << text.toStdString();
    return value ? value->toObject() : QJsonObject{};
}

}  // namespace pathloom::test
