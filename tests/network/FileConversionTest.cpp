// Preparing recorded files for upload: HEIF photos as JPEG bytes, videos re-encoded as MPEG-4 in
// place, and the session-wide conversion. Photos and videos are made here with libheif's and
// FFmpeg's own encoders, as a camera would record them.

#include "TestFiles.h"
#include "network/BinaryConverter.h"

#include "QtPrinting.h"
#include "foundation/Error.h"
#include "network/BinaryConversionError.h"
#include "network/VideoTranscoder.h"
#include "session/FileResultBinaryProvider.h"
#include "session/Session.h"
#include "taskmodel/ORKFileResult.h"

#include <gtest/gtest.h>
#include <libheif/heif.h>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <mutex>
#include <numbers>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/display.h>
}

namespace pathloom {
namespace {

using test::readFile;
using test::writeFile;

using namespace Qt::StringLiterals;
using Case = BinaryConversionError::Case;

// --- Recording photos and videos -------------------------------------------------------------

struct HeifContextDeleter {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct HeifEncoderDeleter {
    void operator()(heif_encoder* encoder) const { heif_encoder_release(encoder); }
};
struct HeifImageDeleter {
    void operator()(heif_image* image) const { heif_image_release(image); }
};

// A HEIF photo whose left half is red and whose right half is blue.
bool writeHeif(const QString& path, int width, int height) {
    const std::unique_ptr<heif_context, HeifContextDeleter> context(heif_context_alloc());
    heif_encoder* rawEncoder = nullptr;
    if (heif_context_get_encoder_for_format(context.get(), heif_compression_HEVC, &rawEncoder)
            .code != heif_error_Ok) {
        return false;
    }
    const std::unique_ptr<heif_encoder, HeifEncoderDeleter> encoder(rawEncoder);
    heif_image* rawImage = nullptr;
    if (heif_image_create(width, height, heif_colorspace_RGB, heif_chroma_interleaved_RGB,
                          &rawImage)
            .code != heif_error_Ok) {
        return false;
    }
    const std::unique_ptr<heif_image, HeifImageDeleter> image(rawImage);
    if (heif_image_add_plane(image.get(), heif_channel_interleaved, width, height, 8).code !=
        heif_error_Ok) {
        return false;
    }
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(image.get(), heif_channel_interleaved, &stride);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = plane + y * stride + x * 3;
            const bool left = x < width / 2;
            pixel[0] = left ? 220 : 20;
            pixel[1] = 20;
            pixel[2] = left ? 20 : 220;
        }
    }
    heif_encoder_set_lossy_quality(encoder.get(), 90);
    return heif_context_encode_image(context.get(), image.get(), encoder.get(), nullptr, nullptr)
                   .code == heif_error_Ok &&
           heif_context_write_to_file(context.get(), QFile::encodeName(path).constData()).code ==
               heif_error_Ok;
}

struct OutputDeleter {
    void operator()(AVFormatContext* context) const {
        avio_closep(&context->pb);
        avformat_free_context(context);
    }
};
struct InputDeleter {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct CodecDeleter {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FrameDeleter {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketDeleter {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
using CodecContext = std::unique_ptr<AVCodecContext, CodecDeleter>;
using Frame = std::unique_ptr<AVFrame, FrameDeleter>;

constexpr int kFramesPerSecond = 25;
constexpr int kSampleRate = 44'100;

struct VideoShape {
    int width = 64;
    int height = 48;
    bool sound = true;
    AVCodecID codec = AV_CODEC_ID_MPEG4;
    // Degrees counter-clockwise to turn the picture on playback, as phones record it.
    int rotation = 0;
};

struct Encoding {
    CodecContext codec;
    AVStream* stream = nullptr;
};

Encoding addEncoder(AVFormatContext* output, AVCodecID id,
                    const std::function<void(AVCodecContext&)>& configure) {
    const AVCodec* codec = avcodec_find_encoder(id);
    if (!codec) {
        return {};
    }
    CodecContext context(avcodec_alloc_context3(codec));
    configure(*context);
    context->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (avcodec_open2(context.get(), codec, nullptr) < 0) {
        return {};
    }
    AVStream* stream = avformat_new_stream(output, nullptr);
    if (!stream || avcodec_parameters_from_context(stream->codecpar, context.get()) < 0) {
        return {};
    }
    stream->time_base = context->time_base;
    return {std::move(context), stream};
}

bool encode(AVFormatContext* output, const Encoding& encoding, const AVFrame* frame) {
    if (avcodec_send_frame(encoding.codec.get(), frame) < 0) {
        return false;
    }
    const std::unique_ptr<AVPacket, PacketDeleter> packet(av_packet_alloc());
    while (true) {
        const int received = avcodec_receive_packet(encoding.codec.get(), packet.get());
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) {
            return true;
        }
        if (received < 0) {
            return false;
        }
        packet->stream_index = encoding.stream->index;
        av_packet_rescale_ts(packet.get(), encoding.codec->time_base, encoding.stream->time_base);
        if (av_interleaved_write_frame(output, packet.get()) < 0) {
            return false;
        }
    }
}

// One second of a moving gradient and, optionally, a 440 Hz tone in AAC.
bool writeVideo(const QString& path, const VideoShape& shape) {
    const QByteArray file = QFile::encodeName(path);
    AVFormatContext* rawOutput = nullptr;
    if (avformat_alloc_output_context2(&rawOutput, nullptr, "mp4", file.constData()) < 0) {
        return false;
    }
    const std::unique_ptr<AVFormatContext, OutputDeleter> output(rawOutput);

    const Encoding video = addEncoder(output.get(), shape.codec, [&](AVCodecContext& c) {
        c.width = shape.width;
        c.height = shape.height;
        c.pix_fmt = AV_PIX_FMT_YUV420P;
        c.time_base = AVRational{1, kFramesPerSecond};
        c.framerate = AVRational{kFramesPerSecond, 1};
        c.gop_size = 12;
    });
    if (!video.codec) {
        return false;
    }
    if (shape.rotation != 0) {
        auto* matrix = reinterpret_cast<int32_t*>(
            av_stream_new_side_data(video.stream, AV_PKT_DATA_DISPLAYMATRIX, 9 * sizeof(int32_t)));
        if (!matrix) {
            return false;
        }
        av_display_rotation_set(matrix, shape.rotation);
    }
    Encoding audio;
    if (shape.sound) {
        audio = addEncoder(output.get(), AV_CODEC_ID_AAC, [](AVCodecContext& c) {
            c.sample_fmt = AV_SAMPLE_FMT_FLTP;
            c.sample_rate = kSampleRate;
            av_channel_layout_default(&c.ch_layout, 2);
            c.bit_rate = 96'000;
            c.time_base = AVRational{1, kSampleRate};
        });
        if (!audio.codec) {
            return false;
        }
    }
    if (avio_open(&output->pb, file.constData(), AVIO_FLAG_WRITE) < 0 ||
        avformat_write_header(output.get(), nullptr) < 0) {
        return false;
    }

    const Frame picture(av_frame_alloc());
    picture->format = AV_PIX_FMT_YUV420P;
    picture->width = shape.width;
    picture->height = shape.height;
    if (av_frame_get_buffer(picture.get(), 0) < 0) {
        return false;
    }
    for (int index = 0; index < kFramesPerSecond; ++index) {
        if (av_frame_make_writable(picture.get()) < 0) {
            return false;
        }
        for (int y = 0; y < shape.height; ++y) {
            for (int x = 0; x < shape.width; ++x) {
                picture->data[0][y * picture->linesize[0] + x] =
                    static_cast<uint8_t>(x * 3 + y * 2 + index * 5);
            }
        }
        for (int plane = 1; plane <= 2; ++plane) {
            for (int y = 0; y < (shape.height + 1) / 2; ++y) {
                std::fill_n(picture->data[plane] + y * picture->linesize[plane],
                            (shape.width + 1) / 2, static_cast<uint8_t>(96 + plane * 32));
            }
        }
        picture->pts = index;
        if (!encode(output.get(), video, picture.get())) {
            return false;
        }
    }
    if (!encode(output.get(), video, nullptr)) {
        return false;
    }

    if (shape.sound) {
        const int frameSize = audio.codec->frame_size;
        for (int start = 0; start < kSampleRate; start += frameSize) {
            const Frame sound(av_frame_alloc());
            sound->format = AV_SAMPLE_FMT_FLTP;
            sound->sample_rate = kSampleRate;
            sound->nb_samples = std::min(frameSize, kSampleRate - start);
            av_channel_layout_default(&sound->ch_layout, 2);
            if (av_frame_get_buffer(sound.get(), 0) < 0) {
                return false;
            }
            for (int channel = 0; channel < 2; ++channel) {
                auto* samples = reinterpret_cast<float*>(sound->data[channel]);
                for (int index = 0; index < sound->nb_samples; ++index) {
                    samples[index] =
                        0.5F * static_cast<float>(std::sin(2 * std::numbers::pi * 440 *
                                                           (start + index) / kSampleRate));
                }
            }
            sound->pts = start;
            if (!encode(output.get(), audio, sound.get())) {
                return false;
            }
        }
        if (!encode(output.get(), audio, nullptr)) {
            return false;
        }
    }
    return av_write_trailer(output.get()) >= 0 && avio_closep(&output->pb) >= 0;
}

struct MediaInfo {
    AVCodecID video = AV_CODEC_ID_NONE;
    AVCodecID audio = AV_CODEC_ID_NONE;
    int width = 0;
    int height = 0;
    int rotation = 0;
    double seconds = 0;
};

std::optional<MediaInfo> probe(const QString& path) {
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, QFile::encodeName(path).constData(), nullptr, nullptr) < 0) {
        return std::nullopt;
    }
    const std::unique_ptr<AVFormatContext, InputDeleter> input(raw);
    if (avformat_find_stream_info(raw, nullptr) < 0) {
        return std::nullopt;
    }
    MediaInfo info;
    for (unsigned index = 0; index < raw->nb_streams; ++index) {
        const AVCodecParameters& parameters = *raw->streams[index]->codecpar;
        if (parameters.codec_type == AVMEDIA_TYPE_VIDEO) {
            info.video = parameters.codec_id;
            info.width = parameters.width;
            info.height = parameters.height;
            if (const uint8_t* matrix = av_stream_get_side_data(
                    raw->streams[index], AV_PKT_DATA_DISPLAYMATRIX, nullptr)) {
                info.rotation = static_cast<int>(
                    std::lround(av_display_rotation_get(reinterpret_cast<const int32_t*>(matrix))));
            }
        } else if (parameters.codec_type == AVMEDIA_TYPE_AUDIO) {
            info.audio = parameters.codec_id;
        }
    }
    info.seconds = static_cast<double>(raw->duration) / AV_TIME_BASE;
    return info;
}

// --- Files and results -----------------------------------------------------------------------

std::shared_ptr<ORKFileResult> fileResult(const QString& identifier, std::optional<QString> path,
                                          std::optional<QString> contentType) {
    auto result = std::make_shared<ORKFileResult>(identifier);
    if (path) {
        result->fileURL = QUrl::fromLocalFile(*path);
    }
    result->contentType = std::move(contentType);
    return result;
}

std::shared_ptr<const BinaryProvider> provider(const QString& identifier,
                                               std::optional<QString> path,
                                               std::optional<QString> contentType) {
    return std::make_shared<FileResultBinaryProvider>(
        fileResult(identifier, std::move(path), std::move(contentType)));
}

class FileConversionTest : public testing::Test {
protected:
    // The encoders describe every stream they open on the console.
    static void SetUpTestSuite() { av_log_set_level(AV_LOG_ERROR); }

    void SetUp() override { ASSERT_TRUE(m_directory.isValid()); }

    [[nodiscard]] QString path(const QString& name) const { return m_directory.filePath(name); }

    // A recorded video in a directory of its own, as a capture step leaves it.
    [[nodiscard]] QString recordVideo(const QString& directory, const QString& name,
                                      const VideoShape& shape = {}) const {
        QDir(m_directory.path()).mkpath(directory);
        const QString recording = path(directory + u'/' + name);
        EXPECT_TRUE(writeVideo(recording, shape));
        return recording;
    }

    QTemporaryDir m_directory;
};

// --- Errors ----------------------------------------------------------------------------------

TEST(BinaryConversionErrorTest, EveryCaseCarriesItsMessageAsAnError) {
    const struct {
        Case errorCase;
        qint64 code;
        QString message;
    } cases[] = {
        {Case::invalidFileType, 0, u"Invalid file type for conversion"_s},
        {Case::fileURLNotProvided, 1, u"Invalid file type for conversion"_s},
        {Case::unableToRemovePreviousConversion, 2, u"Unable to remove previous conversion"_s},
        {Case::incompatibleConversion, 3, u"Unable to convert file"_s},
        {Case::conversionFailed, 4, u"Unable to convert file"_s},
        {Case::unableToReplaceOriginalFile, 5, u"Unable to replace original file"_s},
    };
    for (const auto& expected : cases) {
        const Error error = BinaryConversionError(expected.errorCase);
        EXPECT_EQ(error.localizedDescription(), expected.message);
        EXPECT_EQ(error.code(), expected.code);
        EXPECT_EQ(error.domain(), u"PathloomCore.BinaryConversionError"_s);
        ASSERT_NE(error.as<BinaryConversionError>(), nullptr);
        EXPECT_EQ(error.as<BinaryConversionError>()->errorCase(), expected.errorCase);
    }
}

// --- File bytes ------------------------------------------------------------------------------

TEST_F(FileConversionTest, HeifPhotoIsUploadedAsJpegOfTheSamePicture) {
    const QString photo = path(u"IMG_1.HEIF"_s);
    ASSERT_TRUE(writeHeif(photo, 64, 48));
    const FileResultBinaryProvider binary(fileResult(u"photo"_s, photo, u"image/heif"_s));

    const std::optional<QByteArray> bytes = binary.data();

    ASSERT_TRUE(bytes.has_value());
    EXPECT_TRUE(bytes->startsWith("\xFF\xD8\xFF"));
    const QImage jpeg = QImage::fromData(*bytes, "JPEG");
    ASSERT_EQ(jpeg.size(), QSize(64, 48));
    const QColor left = jpeg.pixelColor(8, 24);
    const QColor right = jpeg.pixelColor(56, 24);
    EXPECT_GT(left.red(), 180);
    EXPECT_LT(left.blue(), 70);
    EXPECT_GT(right.blue(), 180);
    EXPECT_LT(right.red(), 70);
    EXPECT_EQ(binary.fileName(), u"img_1.jpg"_s);
    EXPECT_EQ(binary.mimeType(), u"image/jpeg"_s);
}

TEST_F(FileConversionTest, OtherFilesAreUploadedByteForByte) {
    const QByteArray original("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    const QString scan = path(u"scan.png"_s);
    ASSERT_TRUE(writeFile(scan, original));

    for (const std::optional<QString>& contentType :
         {std::optional(u"image/png"_s), std::optional(u"video/mp4"_s), std::optional<QString>()}) {
        EXPECT_EQ(FileResultBinaryProvider(fileResult(u"scan"_s, scan, contentType)).data(),
                  original);
    }
}

TEST_F(FileConversionTest, FilesThatCannotBeReadGiveNoBytes) {
    ASSERT_TRUE(writeFile(path(u"broken.heif"_s), "not a HEIF photo"));
    ASSERT_TRUE(QDir(m_directory.path()).mkdir(u"folder"_s));
    const struct {
        const char* what;
        std::optional<QString> path;
        QString contentType;
    } cases[] = {
        {"no file URL", std::nullopt, u"image/png"_s},
        {"missing file", path(u"gone.png"_s), u"image/png"_s},
        {"missing photo", path(u"gone.heif"_s), u"image/heif"_s},
        {"directory", path(u"folder"_s), u"image/png"_s},
        {"photo that does not decode", path(u"broken.heif"_s), u"image/heif"_s},
    };
    for (const auto& unreadable : cases) {
        SCOPED_TRACE(unreadable.what);
        EXPECT_EQ(
            FileResultBinaryProvider(fileResult(u"file"_s, unreadable.path, unreadable.contentType))
                .data(),
            std::nullopt);
    }
}

// --- Video conversion ------------------------------------------------------------------------

TEST_F(FileConversionTest, VideoIsReencodedAsH264AndAacInPlace) {
    const struct {
        const char* what;
        VideoShape recorded;
        QSize converted;
        AVCodecID sound;
    } cases[] = {
        {"picture and sound", {.sound = true}, {64, 48}, AV_CODEC_ID_AAC},
        {"picture only", {.sound = false}, {64, 48}, AV_CODEC_ID_NONE},
        {"H.264 already", {.codec = AV_CODEC_ID_H264}, {64, 48}, AV_CODEC_ID_AAC},
        // H.264 in 4:2:0 needs even sides.
        {"odd size", {.width = 65, .height = 49}, {64, 48}, AV_CODEC_ID_AAC},
        {"turned upright on playback", {.rotation = -90}, {64, 48}, AV_CODEC_ID_AAC},
    };
    for (const auto& video : cases) {
        SCOPED_TRACE(video.what);
        const QString directory = QString::fromLatin1(video.what);
        const QString recording = recordVideo(directory, u"clip.mp4"_s, video.recorded);
        // A conversion left over from an earlier, interrupted upload.
        const QString stale = path(directory + u"/converted.mp4"_s);
        ASSERT_TRUE(writeFile(stale, "stale"));
        const std::optional<MediaInfo> recorded = probe(recording);
        ASSERT_TRUE(recorded.has_value());
        EXPECT_EQ(recorded->rotation != 0, video.recorded.rotation != 0);

        const auto converted =
            BinaryConverter().convertIfNeeded(*provider(u"clip"_s, recording, u"video/mp4"_s));

        ASSERT_TRUE(converted.has_value());
        const std::optional<MediaInfo> info = probe(recording);
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->video, AV_CODEC_ID_H264);
        EXPECT_EQ(info->audio, video.sound);
        EXPECT_EQ(QSize(info->width, info->height), video.converted);
        EXPECT_EQ(info->rotation, recorded->rotation);
        EXPECT_NEAR(info->seconds, 1.0, 0.1);
        EXPECT_EQ(QDir(path(directory)).entryList(QDir::Files), QStringList{u"clip.mp4"_s});
    }
}

TEST_F(FileConversionTest, RecordingNamedLikeTheConversionIsConvertedNotDeleted) {
    const QString recording = recordVideo(u"camera"_s, u"converted.mp4"_s);

    ASSERT_TRUE(BinaryConverter()
                    .convertIfNeeded(*provider(u"clip"_s, recording, u"video/mp4"_s))
                    .has_value());

    const std::optional<MediaInfo> info = probe(recording);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->video, AV_CODEC_ID_H264);
    EXPECT_EQ(QDir(path(u"camera"_s)).entryList(QDir::Files), QStringList{u"converted.mp4"_s});
}

TEST_F(FileConversionTest, OnlyMpeg4VideosAreConverted) {
    const QString recording = path(u"clip.mov"_s);
    ASSERT_TRUE(writeFile(recording, "not touched"));

    for (const std::optional<QString>& contentType :
         {std::optional(u"video/quicktime"_s), std::optional(u"VIDEO/MP4"_s),
          std::optional(u"image/png"_s), std::optional<QString>()}) {
        EXPECT_TRUE(BinaryConverter()
                        .convertIfNeeded(*provider(u"clip"_s, recording, contentType))
                        .has_value());
    }
    EXPECT_EQ(readFile(recording), "not touched");
    EXPECT_EQ(QDir(m_directory.path()).entryList(QDir::Files), QStringList{u"clip.mov"_s});
}

TEST_F(FileConversionTest, FailedConversionLeavesTheRecordingAsItWas) {
    ASSERT_TRUE(writeFile(path(u"notes.mp4"_s), "just some text"));
    const QString blocked = recordVideo(u"blocked"_s, u"clip.mp4"_s);
    // A directory with contents where the conversion goes cannot be cleared away.
    ASSERT_TRUE(QDir(path(u"blocked"_s)).mkpath(u"converted.mp4/keep"_s));
    const QByteArray blockedBytes = readFile(blocked);

    const struct {
        const char* what;
        std::optional<QString> path;
        Case expected;
    } cases[] = {
        {"no file URL", std::nullopt, Case::fileURLNotProvided},
        {"not a video", path(u"notes.mp4"_s), Case::incompatibleConversion},
        {"missing file", path(u"gone.mp4"_s), Case::incompatibleConversion},
        {"earlier conversion in the way", blocked, Case::unableToRemovePreviousConversion},
    };
    for (const auto& failing : cases) {
        SCOPED_TRACE(failing.what);
        const auto converted =
            BinaryConverter().convertIfNeeded(*provider(u"clip"_s, failing.path, u"video/mp4"_s));

        ASSERT_FALSE(converted.has_value());
        EXPECT_EQ(converted.error().errorCase(), failing.expected);
    }
    EXPECT_EQ(readFile(path(u"notes.mp4"_s)), "just some text");
    EXPECT_FALSE(QFile::exists(path(u"converted.mp4"_s)));
    EXPECT_EQ(readFile(blocked), blockedBytes);
}

TEST_F(FileConversionTest, ConversionPastTheTimeOutIsAbandonedAndTheRecordingKept) {
    const QString recording = recordVideo(u"slow"_s, u"clip.mp4"_s);
    const QByteArray original = readFile(recording);

    const auto converted =
        BinaryConverter(QThreadPool::globalInstance(), std::chrono::milliseconds(0))
            .convertIfNeeded(*provider(u"clip"_s, recording, u"video/mp4"_s));

    EXPECT_TRUE(converted.has_value());
    EXPECT_EQ(readFile(recording), original);
    EXPECT_EQ(QDir(path(u"slow"_s)).entryList(QDir::Files), QStringList{u"clip.mp4"_s});
}

TEST_F(FileConversionTest, CancelledTranscodeRemovesItsPartialOutput) {
    const QString recording = recordVideo(u"source"_s, u"clip.mp4"_s);
    const QByteArray original = readFile(recording);

    // A full run tells when the output appears and how often the transcoder asks to go on.
    const QString complete = path(u"complete.mp4"_s);
    int asked = 0;
    int askedWhenWriting = 0;
    ASSERT_TRUE(VideoTranscoder::transcode(recording, complete, [&] {
                    ++asked;
                    if (askedWhenWriting == 0 && QFile::exists(complete)) {
                        askedWhenWriting = asked;
                    }
                    return true;
                }).has_value());
    ASSERT_GT(askedWhenWriting, 0);
    ASSERT_GT(asked, askedWhenWriting + 1);

    // The second run stops half way through writing.
    const QString partial = path(u"partial.mp4"_s);
    const int allowed = (askedWhenWriting + asked) / 2;
    int answered = 0;
    bool existedWhenStopped = false;
    const auto cancelled = VideoTranscoder::transcode(recording, partial, [&] {
        if (++answered <= allowed) {
            return true;
        }
        existedWhenStopped = existedWhenStopped || QFile::exists(partial);
        return false;
    });

    ASSERT_FALSE(cancelled.has_value());
    EXPECT_EQ(cancelled.error(), VideoTranscoder::Failure::cancelled);
    EXPECT_TRUE(existedWhenStopped);
    EXPECT_FALSE(QFile::exists(partial));
    EXPECT_EQ(readFile(recording), original);
}

// --- Converting a session's files ------------------------------------------------------------

TEST_F(FileConversionTest, ConvertAllStopsAtTheFirstFailure) {
    ASSERT_TRUE(writeFile(path(u"notes.mp4"_s), "just some text"));
    const auto notVideo = provider(u"notes"_s, path(u"notes.mp4"_s), u"video/mp4"_s);

    const QString before = recordVideo(u"before"_s, u"clip.mp4"_s);
    const QString after = recordVideo(u"after"_s, u"clip.mp4"_s);
    const auto converted =
        BinaryConverter().convertAll({provider(u"a"_s, before, u"video/mp4"_s), notVideo,
                                      provider(u"b"_s, after, u"video/mp4"_s)});

    ASSERT_FALSE(converted.has_value());
    EXPECT_EQ(converted.error().errorCase(), Case::incompatibleConversion);
    EXPECT_EQ(probe(before).value().video, AV_CODEC_ID_H264);
    EXPECT_EQ(probe(after).value().video, AV_CODEC_ID_MPEG4);
}

// Written on the pool's thread, read on the test's once the pool is done; the mutex makes that
// hand-over plain to the thread sanitizer too.
struct Outcome {
    std::mutex mutex;
    int calls = 0;
    std::optional<Error> error;
    bool onMainThread = false;
};

TEST_F(FileConversionTest, ConvertBinariesReportsOnceFromThePool) {
    ASSERT_TRUE(writeFile(path(u"notes.mp4"_s), "just some text"));
    ASSERT_TRUE(writeFile(path(u"scan.png"_s), "png"));
    const QString recording = recordVideo(u"camera"_s, u"clip.mp4"_s);

    const struct {
        const char* what;
        QList<std::shared_ptr<ORKFileResult>> files;
        std::optional<Case> expected;
    } cases[] = {
        {"every file ready",
         {fileResult(u"scan"_s, path(u"scan.png"_s), u"image/png"_s),
          fileResult(u"clip"_s, recording, u"video/mp4"_s)},
         std::nullopt},
        {"one video fails",
         {fileResult(u"scan"_s, path(u"scan.png"_s), u"image/png"_s),
          fileResult(u"notes"_s, path(u"notes.mp4"_s), u"video/mp4"_s)},
         Case::incompatibleConversion},
    };
    for (const auto& session : cases) {
        SCOPED_TRACE(session.what);
        auto steps = std::make_shared<Session>();
        steps->setValueProvider(u"token"_s, Value(u"abc"_s));
        for (const auto& file : session.files) {
            steps->setValueProvider(file->identifier, Value(file));
        }
        QThreadPool pool;
        Outcome outcome;

        BinaryConverter(&pool).convertBinaries(steps, [&](std::optional<Error> error) {
            const std::lock_guard lock(outcome.mutex);
            ++outcome.calls;
            outcome.error = std::move(error);
            outcome.onMainThread = QThread::currentThread() == qApp->thread();
        });
        pool.waitForDone();

        const std::lock_guard lock(outcome.mutex);
        EXPECT_EQ(outcome.calls, 1);
        EXPECT_FALSE(outcome.onMainThread);
        if (session.expected) {
            ASSERT_TRUE(outcome.error.has_value());
            EXPECT_EQ(outcome.error->localizedDescription(), u"Unable to convert file"_s);
            EXPECT_EQ(outcome.error->as<BinaryConversionError>()->errorCase(), *session.expected);
        } else {
            EXPECT_FALSE(outcome.error.has_value());
        }
    }
    EXPECT_EQ(probe(recording).value().video, AV_CODEC_ID_H264);
}

TEST_F(FileConversionTest, ConvertBinariesDoesNothingWhenTheSessionIsGone) {
    const QString recording = recordVideo(u"camera"_s, u"clip.mp4"_s);
    auto session = std::make_shared<Session>();
    session->setValueProvider(u"clip"_s, Value(fileResult(u"clip"_s, recording, u"video/mp4"_s)));
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    // Holds the pool's only thread until the session is gone.
    QSemaphore release;
    pool.start([&] { release.acquire(); });
    bool completed = false;

    BinaryConverter(&pool).convertBinaries(session,
                                           [&](std::optional<Error>) { completed = true; });
    session.reset();
    release.release();
    pool.waitForDone();

    EXPECT_FALSE(completed);
    EXPECT_EQ(probe(recording).value().video, AV_CODEC_ID_MPEG4);
}

}  // namespace
}  // namespace pathloom
