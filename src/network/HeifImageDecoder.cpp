#include "network/HeifImageDecoder.h"

#include <libheif/heif.h>
#include <QFile>
#include <memory>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

struct ContextDeleter {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct HandleDeleter {
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ImageDeleter {
    void operator()(heif_image* image) const { heif_image_release(image); }
};

std::unexpected<QString> failure(const heif_error& error) {
    return std::unexpected(QString::fromUtf8(error.message));
}

}  // namespace

std::expected<QImage, QString> HeifImageDecoder::decode(const QString& filePath) {
    const std::unique_ptr<heif_context, ContextDeleter> context(heif_context_alloc());
    if (!context) {
        return std::unexpected(u"Out of memory"_s);
    }
    const QByteArray path = QFile::encodeName(filePath);
    if (const heif_error error =
            heif_context_read_from_file(context.get(), path.constData(), nullptr);
        error.code != heif_error_Ok) {
        return failure(error);
    }

    heif_image_handle* rawHandle = nullptr;
    if (const heif_error error = heif_context_get_primary_image_handle(context.get(), &rawHandle);
        error.code != heif_error_Ok) {
        return failure(error);
    }
    const std::unique_ptr<heif_image_handle, HandleDeleter> handle(rawHandle);

    const bool hasAlpha = heif_image_handle_has_alpha_channel(handle.get()) != 0;
    heif_image* rawImage = nullptr;
    if (const heif_error error = heif_decode_image(
            handle.get(), &rawImage, heif_colorspace_RGB,
            hasAlpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, nullptr);
        error.code != heif_error_Ok) {
        return failure(error);
    }
    const std::unique_ptr<heif_image, ImageDeleter> image(rawImage);

    int stride = 0;
    const uint8_t* pixels =
        heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
    if (!pixels || width <= 0 || height <= 0) {
        return std::unexpected(u"The image has no pixels"_s);
    }
    // The wrapping QImage does not own the plane, so it is copied before libheif frees it.
    return QImage(pixels, width, height, stride,
                  hasAlpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888)
        .copy();
}

}  // namespace pathloom
