#pragma once

#include "foundation/Error.h"
#include "network/BinaryConversionError.h"
#include "session/BinaryProvider.h"

#include <QList>
#include <QThreadPool>
#include <chrono>
#include <expected>
#include <functional>
#include <memory>
#include <optional>

namespace pathloom {

class Session;

// Prepares a session's recorded files for upload before the session is posted: every file of MIME
// type "video/mp4" is re-encoded as MPEG-4 in place; every other file is sent as it is.
//
// A video gets `videoTimeout` to convert. A conversion still running then is cancelled, its
// partial output removed and the recording left as it was; the file then counts as prepared, so
// the upload sends the original.
//
// Threads: convertAll() and convertIfNeeded() block the calling thread (for a video, up to the
// time-out) and may run on any thread. convertBinaries() works on the pool; the converter may be
// destroyed while that work goes on.
class BinaryConverter {
public:
    static constexpr std::chrono::milliseconds kVideoTimeout{std::chrono::seconds(60)};

    using Completion = std::function<void(std::optional<Error>)>;

    // `pool` must outlive the work started on it.
    explicit BinaryConverter(QThreadPool* pool = QThreadPool::globalInstance(),
                             std::chrono::milliseconds videoTimeout = kVideoTimeout)
        : m_pool(pool), m_videoTimeout(videoTimeout) {}

    // Prepares the session's files on the pool, one after another, stopping at the first failure.
    // `completion` then runs exactly once on the pool's thread, with that failure or with nothing
    // when every file is ready. The session is held weakly: when it is gone as the work starts,
    // nothing happens and `completion` never runs.
    void convertBinaries(std::weak_ptr<Session> session, Completion completion) const;

    // Prepares `providers` in their order and stops at the first failure.
    [[nodiscard]] std::expected<void, BinaryConversionError> convertAll(
        const QList<std::shared_ptr<const BinaryProvider>>& providers) const;
    // Converts `provider`'s file when it is an MPEG-4 video; succeeds at once for every other file.
    [[nodiscard]] std::expected<void, BinaryConversionError> convertIfNeeded(
        const BinaryProvider& provider) const;

private:
    [[nodiscard]] std::expected<void, BinaryConversionError> convertVideo(
        const BinaryProvider& provider) const;

    QThreadPool* m_pool;
    std::chrono::milliseconds m_videoTimeout;
};

}  // namespace pathloom
