#pragma once

#include "foundation/Error.h"
#include "taskmodel/Value.h"

#include <QByteArray>
#include <QList>
#include <expected>

namespace pathloom::replies {

// The server's replies to the remote steps, read as the JSON decoder reads them: a body that is
// no JSON fails with the JSON error, a body of the wrong shape with a decoding error naming where.

// A JSON array of ListStepItem objects; each entry is a ListStepItem.
[[nodiscard]] std::expected<QList<Value>, Error> listStepItems(const QByteArray& body);
// A JSON array of DisplayItem objects; each entry is a DisplayItem.
[[nodiscard]] std::expected<QList<Value>, Error> displayItems(const QByteArray& body);
// The reply to a delete: any JSON object, whose content is not used.
[[nodiscard]] std::expected<void, Error> remoteDeleteResult(const QByteArray& body);

}  // namespace pathloom::replies
