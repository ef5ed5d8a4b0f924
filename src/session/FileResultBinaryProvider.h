#pragma once

#include "session/BinaryProvider.h"
#include "taskmodel/ORKFileResult.h"

#include <QByteArray>
#include <memory>
#include <optional>

namespace pathloom {

// A file result as a file to upload. Photos in the HEIF format are named and typed as the JPEG
// they are sent as.
class FileResultBinaryProvider : public BinaryProvider {
public:
    explicit FileResultBinaryProvider(std::shared_ptr<const ORKFileResult> result)
        : m_result(std::move(result)) {}

    [[nodiscard]] QString identifier() const override;
    [[nodiscard]] std::optional<QString> filePath() const override;
    [[nodiscard]] std::optional<QString> fileName() const override;
    [[nodiscard]] std::optional<QString> mimeType() const override;
    // The bytes to upload: a HEIF photo as a JPEG of maximum quality, any other file as it is.
    // Nothing without a file URL, for a missing or unreadable file, or a HEIF that does not
    // decode. Reads the file on the calling thread.
    [[nodiscard]] std::optional<QByteArray> data() const override;

    [[nodiscard]] const std::shared_ptr<const ORKFileResult>& result() const { return m_result; }

private:
    [[nodiscard]] bool isHeif() const;

    std::shared_ptr<const ORKFileResult> m_result;
};

}  // namespace pathloom
