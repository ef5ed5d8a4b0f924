#pragma once

#include "run/CaptureError.h"
#include "taskmodel/ORKFileResult.h"

#include <QDir>
#include <QImage>
#include <QString>
#include <expected>
#include <memory>
#include <optional>

namespace pathloom {

class ORKStep;

// Stores what capture steps recorded in a run's output folder and gives the file result the step
// records. Every capture gets a new sub-folder of its own, so the file keeps its own name (its
// upload is named after it) even when two captures are named alike. Pictures are kept at most
// kLongestSide pixels on their long side; the file's MIME type is read from its content, not
// its name.
//
// Works synchronously on the calling thread. Instances on the same folder may run at once: each
// capture's sub-folder is claimed by creating it.
class CapturedFiles {
public:
    enum class Need { anyFile, picture };
    using Stored = std::expected<std::shared_ptr<ORKFileResult>, CaptureError>;

    static constexpr int kLongestSide = 4096;

    explicit CapturedFiles(QDir directory) : m_directory(std::move(directory)) {}

    // What a step records: a picture for an image capture or signature step, any file for a video
    // capture step; nothing for other steps.
    [[nodiscard]] static std::optional<Need> need(const ORKStep& step);

    // Copies the file at `sourcePath` for the step; a picture larger than the bound is stored
    // scaled down in its own format (PNG when that cannot be written, under a .png name), one
    // within it byte for byte.
    [[nodiscard]] Stored store(const QString& stepIdentifier, const QString& sourcePath,
                               Need need) const;
    // Writes a picture the step took as a PNG file named `fileName` (with a .png suffix); only
    // the last component of the name is used.
    [[nodiscard]] Stored store(const QString& stepIdentifier, const QImage& picture,
                               const QString& fileName) const;

    // The picture in the file at `path`, at most kLongestSide pixels on its long side, for pages a
    // scan is made of and for a capture's preview.
    [[nodiscard]] static std::expected<QImage, CaptureError> readPicture(const QString& path);

private:
    [[nodiscard]] std::expected<QDir, CaptureError> newFolder() const;

    QDir m_directory;
};

}  // namespace pathloom
