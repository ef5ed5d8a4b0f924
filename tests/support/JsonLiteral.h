#pragma once

#include <QByteArray>
#include <QJsonObject>

namespace pathloom::test {

// The JSON object written in `text`; fails the running test when the text is not one.
[[nodiscard]] QJsonObject jsonObject(const QByteArray& text);

}  // namespace pathloom::test
