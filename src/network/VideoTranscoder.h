#pragma once

#include <QString>
#include <expected>
#include <functional>

namespace pathloom {

// Re-encodes a video file as MPEG-4: H.264 video at high quality and AAC audio, keeping the
// picture size, timing, rotation and metadata. Keeps FFmpeg out of every other file.
// Blocks the calling thread; calls share no state, so several may run on different threads.
class VideoTranscoder {
public:
    enum class Failure {
        // The source cannot be read as a video (or sound) that the decoders know.
        unsupportedSource,
        // Encoding or writing the target failed.
        encodingFailed,
        // `keepGoing` said stop before the target was complete.
        cancelled,
    };

    // Asked often while the work goes on (also inside blocking reads and writes); once it gives
    // false, the work stops.
    using KeepGoing = std::function<bool()>;

    // Writes the MPEG-4 form of `source` to `target`, overwriting it; `source` is only read. On
    // any failure, including cancellation, whatever this call wrote at `target` is removed.
    // `source` and `target` must be different files.
    [[nodiscard]] static std::expected<void, Failure> transcode(const QString& source,
                                                                const QString& target,
                                                                const KeepGoing& keepGoing);
};

}  // namespace pathloom
