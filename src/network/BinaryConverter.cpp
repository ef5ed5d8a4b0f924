#include "network/BinaryConverter.h"

#include "foundation/ThreadHandOver.h"
#include "network/VideoTranscoder.h"
#include "session/Session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

using Case = BinaryConversionError::Case;

std::unexpected<BinaryConversionError> fail(Case errorCase) {
    return std::unexpected(BinaryConversionError(errorCase));
}

// Where the work handed to the pool is handed over; see ThreadHandOver.h.
const char kPoolHandOver = 0;

std::filesystem::path fileSystemPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// The conversion is written next to the recording. A recording that itself bears the usual name
// gets another one, so that clearing an earlier conversion never deletes the recording.
QString conversionPath(const QString& source) {
    const QFileInfo info(source);
    const QString name =
        info.fileName() == u"converted.mp4"_s ? u"converted-1.mp4"_s : u"converted.mp4"_s;
    return info.dir().filePath(name);
}

}  // namespace

void BinaryConverter::convertBinaries(std::weak_ptr<Session> session, Completion completion) const {
    std::function<void()> task = [converter = *this, session = std::move(session),
                                  completion = std::move(completion)] {
        // Before anything of the task is read; see ThreadHandOver.h.
        threads::takeOver(&kPoolHandOver);
        const std::shared_ptr<Session> strong = session.lock();
        if (!strong) {
            return;
        }
        const std::expected<void, BinaryConversionError> converted =
            converter.convertAll(strong->binaryProviders());
        if (completion) {
            completion(converted ? std::nullopt : std::optional<Error>(converted.error()));
        }
    };
    threads::handOver(&kPoolHandOver);
    m_pool->start(std::move(task));
}

std::expected<void, BinaryConversionError> BinaryConverter::convertAll(
    const QList<std::shared_ptr<const BinaryProvider>>& providers) const {
    for (const std::shared_ptr<const BinaryProvider>& provider : providers) {
        if (auto converted = convertIfNeeded(*provider); !converted) {
            return converted;
        }
    }
    return {};
}

std::expected<void, BinaryConversionError> BinaryConverter::convertIfNeeded(
    const BinaryProvider& provider) const {
    if (provider.mimeType() != u"video/mp4"_s) {
        return {};
    }
    return convertVideo(provider);
}

std::expected<void, BinaryConversionError> BinaryConverter::convertVideo(
    const BinaryProvider& provider) const {
    const std::optional<QString> source = provider.filePath();
    if (!source) {
        return fail(Case::fileURLNotProvided);
    }
    const QString target = conversionPath(*source);

    std::error_code error;
    std::filesystem::remove(fileSystemPath(target), error);
    if (error) {
        return fail(Case::unableToRemovePreviousConversion);
    }

    const auto deadline = std::chrono::steady_clock::now() + m_videoTimeout;
    const std::expected<void, VideoTranscoder::Failure> transcoded = VideoTranscoder::transcode(
        *source, target, [deadline] { return std::chrono::steady_clock::now() < deadline; });
    if (!transcoded) {
        switch (transcoded.error()) {
            case VideoTranscoder::Failure::cancelled:
                // Too slow to wait for: the recording is uploaded as it was recorded.
                return {};
            case VideoTranscoder::Failure::unsupportedSource:
                return fail(Case::incompatibleConversion);
            case VideoTranscoder::Failure::encodingFailed:
                return fail(Case::conversionFailed);
        }
        return fail(Case::conversionFailed);
    }

    std::filesystem::rename(fileSystemPath(target), fileSystemPath(*source), error);
    if (error) {
        return fail(Case::unableToReplaceOriginalFile);
    }
    return {};
}

}  // namespace pathloom
