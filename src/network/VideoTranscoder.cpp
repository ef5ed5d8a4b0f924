#include "network/VideoTranscoder.h"

#include <QFile>
#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace pathloom {

namespace {

using Failure = VideoTranscoder::Failure;
using Step = std::expected<void, Failure>;

// Deleters for FFmpeg objects: most free functions take the address of the pointer they clear.
template <typename T, void (*Free)(T**)>
struct FreeThrough {
    void operator()(T* object) const { Free(&object); }
};
template <typename T, void (*Free)(T*)>
struct FreeDirectly {
    void operator()(T* object) const { Free(object); }
};
struct OutputDeleter {
    void operator()(AVFormatContext* context) const {
        avio_closep(&context->pb);
        avformat_free_context(context);
    }
};

using Input = std::unique_ptr<AVFormatContext, FreeThrough<AVFormatContext, avformat_close_input>>;
using Output = std::unique_ptr<AVFormatContext, OutputDeleter>;
using CodecContext =
    std::unique_ptr<AVCodecContext, FreeThrough<AVCodecContext, avcodec_free_context>>;
using Frame = std::unique_ptr<AVFrame, FreeThrough<AVFrame, av_frame_free>>;
using Packet = std::unique_ptr<AVPacket, FreeThrough<AVPacket, av_packet_free>>;
using Scaler = std::unique_ptr<SwsContext, FreeDirectly<SwsContext, sws_freeContext>>;
using Resampler = std::unique_ptr<SwrContext, FreeThrough<SwrContext, swr_free>>;
using Fifo = std::unique_ptr<AVAudioFifo, FreeDirectly<AVAudioFifo, av_audio_fifo_free>>;

std::unexpected<Failure> fail(Failure failure) { return std::unexpected(failure); }

// Runs `steps` in order until one fails; gives the outcome of the last one run.
template <typename... Steps>
Step inOrder(const Steps&... steps) {
    Step outcome;
    (void)(((outcome = steps()).has_value() && ...));
    return outcome;
}

// High quality by the encoders' own measures: x264's visually lossless range, and AAC at a rate
// well above what speech and phone microphones need.
constexpr const char* kVideoQuality = "18";
constexpr const char* kVideoPreset = "medium";
constexpr int64_t kAudioBitRatePerChannel = 128'000;

// One stream of the source on its way to the target.
struct Track {
    AVStream* input = nullptr;
    AVStream* output = nullptr;
    CodecContext decoder;
    CodecContext encoder;
    Frame decoded;
    int64_t decodedFrames = 0;
};

struct VideoTrack : Track {
    Scaler scaler;
    Frame converted;
    int64_t lastPts = AV_NOPTS_VALUE;
};

struct AudioTrack : Track {
    Resampler resampler;
    Fifo fifo;
    int64_t nextPts = 0;
};

Frame audioFrame(const AVCodecContext& encoder, int samples) {
    Frame frame(av_frame_alloc());
    if (!frame) {
        return nullptr;
    }
    frame->format = encoder.sample_fmt;
    frame->sample_rate = encoder.sample_rate;
    frame->nb_samples = samples;
    if (av_channel_layout_copy(&frame->ch_layout, &encoder.ch_layout) < 0 ||
        av_frame_get_buffer(frame.get(), 0) < 0) {
        return nullptr;
    }
    return frame;
}

int supportedSampleRate(const AVCodec& codec, int wanted) {
    if (!codec.supported_samplerates) {
        return wanted;
    }
    int best = codec.supported_samplerates[0];
    for (const int* rate = codec.supported_samplerates; *rate != 0; ++rate) {
        if (std::abs(*rate - wanted) < std::abs(best - wanted)) {
            best = *rate;
        }
    }
    return best;
}

// One run of the conversion; owns every FFmpeg object of it. Not movable: FFmpeg keeps a pointer
// to it for the interrupt callback.
class Transcoding {
public:
    explicit Transcoding(const VideoTranscoder::KeepGoing& keepGoing) : m_keepGoing(keepGoing) {}
    Transcoding(const Transcoding&) = delete;
    Transcoding& operator=(const Transcoding&) = delete;

    Step run(const QByteArray& source, const QByteArray& target) {
        return inOrder([&] { return openInput(source); }, [&] { return openDecoders(); },
                       [&] { return openOutput(target); }, [&] { return openVideoEncoder(); },
                       [&] { return openAudioEncoder(); }, [&] { return startWriting(target); },
                       [&] { return transcodePackets(); }, [&] { return finish(); });
    }

    [[nodiscard]] bool cancelled() const { return m_cancelled; }
    [[nodiscard]] bool createdTarget() const { return m_createdTarget; }
    void closeOutput() { m_output.reset(); }

private:
    static int interrupt(void* opaque) {
        return static_cast<Transcoding*>(opaque)->keepGoing() ? 0 : 1;
    }

    bool keepGoing() {
        if (!m_cancelled && m_keepGoing && !m_keepGoing()) {
            m_cancelled = true;
        }
        return !m_cancelled;
    }

    Step openInput(const QByteArray& source) {
        AVFormatContext* context = avformat_alloc_context();
        if (!context) {
            return fail(Failure::encodingFailed);
        }
        context->interrupt_callback = m_interrupt;
        // On failure FFmpeg frees the context itself.
        if (avformat_open_input(&context, source.constData(), nullptr, nullptr) < 0) {
            return fail(Failure::unsupportedSource);
        }
        m_input.reset(context);
        if (avformat_find_stream_info(context, nullptr) < 0) {
            return fail(Failure::unsupportedSource);
        }
        return {};
    }

    Step openDecoders() {
        const int video =
            av_find_best_stream(m_input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        const int audio =
            av_find_best_stream(m_input.get(), AVMEDIA_TYPE_AUDIO, -1, video, nullptr, 0);
        if (video < 0 && audio < 0) {
            return fail(Failure::unsupportedSource);
        }
        if (video >= 0) {
            m_video.emplace();
            if (Step opened = openDecoder(*m_video, video); !opened) {
                return opened;
            }
        }
        if (audio >= 0) {
            m_audio.emplace();
            return openDecoder(*m_audio, audio);
        }
        return {};
    }

    Step openDecoder(Track& track, int streamIndex) {
        track.input = m_input->streams[streamIndex];
        const AVCodec* codec = avcodec_find_decoder(track.input->codecpar->codec_id);
        if (!codec) {
            return fail(Failure::unsupportedSource);
        }
        track.decoder.reset(avcodec_alloc_context3(codec));
        track.decoded.reset(av_frame_alloc());
        if (!track.decoder || !track.decoded) {
            return fail(Failure::encodingFailed);
        }
        if (avcodec_parameters_to_context(track.decoder.get(), track.input->codecpar) < 0) {
            return fail(Failure::unsupportedSource);
        }
        track.decoder->pkt_timebase = track.input->time_base;
        if (avcodec_open2(track.decoder.get(), codec, nullptr) < 0) {
            return fail(Failure::unsupportedSource);
        }
        return {};
    }

    Step openOutput(const QByteArray& target) {
        AVFormatContext* context = nullptr;
        if (avformat_alloc_output_context2(&context, nullptr, "mp4", target.constData()) < 0 ||
            !context) {
            return fail(Failure::encodingFailed);
        }
        m_output.reset(context);
        context->interrupt_callback = m_interrupt;
        av_dict_copy(&context->metadata, m_input->metadata, 0);
        return {};
    }

    Step openVideoEncoder() {
        if (!m_video) {
            return {};
        }
        const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
        if (!codec) {
            codec = avcodec_find_encoder(AV_CODEC_ID_H264);
        }
        if (!codec) {
            return fail(Failure::encodingFailed);
        }
        const AVCodecContext& decoder = *m_video->decoder;
        if (decoder.width <= 0 || decoder.height <= 0) {
            return fail(Failure::unsupportedSource);
        }
        m_video->encoder.reset(avcodec_alloc_context3(codec));
        AVCodecContext* encoder = m_video->encoder.get();
        if (!encoder) {
            return fail(Failure::encodingFailed);
        }
        // 4:2:0 chroma needs even sides.
        encoder->width = std::max(2, decoder.width & ~1);
        encoder->height = std::max(2, decoder.height & ~1);
        encoder->pix_fmt = AV_PIX_FMT_YUV420P;
        encoder->sample_aspect_ratio = decoder.sample_aspect_ratio;
        encoder->time_base = m_video->input->time_base;
        encoder->framerate = av_guess_frame_rate(m_input.get(), m_video->input, nullptr);
        encoder->color_primaries = decoder.color_primaries;
        encoder->color_trc = decoder.color_trc;
        encoder->colorspace = decoder.colorspace;
        // Pixels of the same format pass through unchanged and keep their range; the scaler
        // turns any other format into limited range.
        encoder->color_range =
            decoder.pix_fmt == AV_PIX_FMT_YUV420P ? decoder.color_range : AVCOL_RANGE_MPEG;
        if (m_output->oformat->flags & AVFMT_GLOBALHEADER) {
            encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        }
        AVDictionary* options = nullptr;
        av_dict_set(&options, "crf", kVideoQuality, 0);
        av_dict_set(&options, "preset", kVideoPreset, 0);
        const int opened = avcodec_open2(encoder, codec, &options);
        av_dict_free(&options);
        if (opened < 0) {
            return fail(Failure::encodingFailed);
        }
        m_video->converted.reset(av_frame_alloc());
        if (!m_video->converted) {
            return fail(Failure::encodingFailed);
        }
        m_video->converted->format = encoder->pix_fmt;
        m_video->converted->width = encoder->width;
        m_video->converted->height = encoder->height;
        if (av_frame_get_buffer(m_video->converted.get(), 0) < 0) {
            return fail(Failure::encodingFailed);
        }
        if (Step added = addOutputStream(*m_video); !added) {
            return added;
        }
        // Phones record upright pictures with a rotation to apply on playback.
        size_t size = 0;
        const uint8_t* matrix =
            av_stream_get_side_data(m_video->input, AV_PKT_DATA_DISPLAYMATRIX, &size);
        if (matrix) {
            uint8_t* copy =
                av_stream_new_side_data(m_video->output, AV_PKT_DATA_DISPLAYMATRIX, size);
            if (!copy) {
                return fail(Failure::encodingFailed);
            }
            std::memcpy(copy, matrix, size);
        }
        return {};
    }

    Step openAudioEncoder() {
        if (!m_audio) {
            return {};
        }
        const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
        if (!codec) {
            return fail(Failure::encodingFailed);
        }
        const AVCodecContext& decoder = *m_audio->decoder;
        if (decoder.sample_rate <= 0 || decoder.ch_layout.nb_channels <= 0) {
            return fail(Failure::unsupportedSource);
        }
        m_audio->encoder.reset(avcodec_alloc_context3(codec));
        AVCodecContext* encoder = m_audio->encoder.get();
        if (!encoder) {
            return fail(Failure::encodingFailed);
        }
        encoder->sample_fmt = codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
        encoder->sample_rate = supportedSampleRate(*codec, decoder.sample_rate);
        av_channel_layout_default(&encoder->ch_layout,
                                  std::clamp(decoder.ch_layout.nb_channels, 1, 2));
        encoder->bit_rate = kAudioBitRatePerChannel * encoder->ch_layout.nb_channels;
        encoder->time_base = AVRational{1, encoder->sample_rate};
        if (m_output->oformat->flags & AVFMT_GLOBALHEADER) {
            encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        }
        if (avcodec_open2(encoder, codec, nullptr) < 0) {
            return fail(Failure::encodingFailed);
        }
        m_audio->fifo.reset(av_audio_fifo_alloc(encoder->sample_fmt, encoder->ch_layout.nb_channels,
                                                audioFrameSize()));
        if (!m_audio->fifo) {
            return fail(Failure::encodingFailed);
        }
        return addOutputStream(*m_audio);
    }

    Step addOutputStream(Track& track) {
        track.output = avformat_new_stream(m_output.get(), nullptr);
        if (!track.output ||
            avcodec_parameters_from_context(track.output->codecpar, track.encoder.get()) < 0) {
            return fail(Failure::encodingFailed);
        }
        track.output->time_base = track.encoder->time_base;
        av_dict_copy(&track.output->metadata, track.input->metadata, 0);
        // The source's encoder did not write this stream.
        av_dict_set(&track.output->metadata, "encoder", nullptr, 0);
        return {};
    }

    Step startWriting(const QByteArray& target) {
        if (avio_open2(&m_output->pb, target.constData(), AVIO_FLAG_WRITE, &m_interrupt, nullptr) <
            0) {
            return fail(Failure::encodingFailed);
        }
        m_createdTarget = true;
        if (avformat_write_header(m_output.get(), nullptr) < 0) {
            return fail(Failure::encodingFailed);
        }
        return {};
    }

    Step transcodePackets() {
        const Packet packet(av_packet_alloc());
        if (!packet) {
            return fail(Failure::encodingFailed);
        }
        while (keepGoing()) {
            const int read = av_read_frame(m_input.get(), packet.get());
            if (read == AVERROR_EOF) {
                return flush();
            }
            if (read < 0) {
                return fail(Failure::unsupportedSource);
            }
            Step decoded;
            if (m_video && packet->stream_index == m_video->input->index) {
                decoded = decode(*m_video, packet.get());
            } else if (m_audio && packet->stream_index == m_audio->input->index) {
                decoded = decode(*m_audio, packet.get());
            }
            av_packet_unref(packet.get());
            if (!decoded) {
                return decoded;
            }
        }
        return fail(Failure::cancelled);
    }

    Step flush() {
        if (m_video) {
            if (Step flushed = inOrder([&] { return decode(*m_video, nullptr); },
                                       [&] { return encode(*m_video, nullptr); });
                !flushed) {
                return flushed;
            }
        }
        if (m_audio) {
            if (Step flushed = inOrder([&] { return decode(*m_audio, nullptr); },
                                       [&] { return resample(nullptr); },
                                       [&] { return encodeBufferedAudio(true); },
                                       [&] { return encode(*m_audio, nullptr); });
                !flushed) {
                return flushed;
            }
        }
        // A source whose packets never decoded would otherwise replace the recording with an
        // empty file.
        const Track& main = m_video ? static_cast<const Track&>(*m_video) : *m_audio;
        if (main.decodedFrames == 0) {
            return fail(Failure::unsupportedSource);
        }
        return {};
    }

    Step decode(Track& track, const AVPacket* packet) {
        // A damaged packet costs its frames, not the whole recording.
        if (const int sent = avcodec_send_packet(track.decoder.get(), packet);
            sent < 0 && sent != AVERROR_INVALIDDATA) {
            return fail(Failure::unsupportedSource);
        }
        while (true) {
            const int received = avcodec_receive_frame(track.decoder.get(), track.decoded.get());
            if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) {
                return {};
            }
            if (received < 0) {
                return fail(Failure::unsupportedSource);
            }
            ++track.decodedFrames;
            const Step handled = m_video && &track == &*m_video ? encodeVideoFrame(*track.decoded)
                                                                : resample(track.decoded.get());
            av_frame_unref(track.decoded.get());
            if (!handled) {
                return handled;
            }
        }
    }

    Step encodeVideoFrame(const AVFrame& frame) {
        VideoTrack& video = *m_video;
        AVCodecContext& encoder = *video.encoder;
        video.scaler.reset(sws_getCachedContext(video.scaler.release(), frame.width, frame.height,
                                                static_cast<AVPixelFormat>(frame.format),
                                                encoder.width, encoder.height, encoder.pix_fmt,
                                                SWS_BICUBIC, nullptr, nullptr, nullptr));
        if (!video.scaler) {
            return fail(Failure::unsupportedSource);
        }
        // The encoder may still hold the previous picture.
        if (av_frame_make_writable(video.converted.get()) < 0) {
            return fail(Failure::encodingFailed);
        }
        if (sws_scale(video.scaler.get(), frame.data, frame.linesize, 0, frame.height,
                      video.converted->data, video.converted->linesize) <= 0) {
            return fail(Failure::unsupportedSource);
        }
        // The encoder needs strictly rising times; a frame without one follows the last.
        int64_t pts = frame.best_effort_timestamp;
        if (video.lastPts != AV_NOPTS_VALUE && (pts == AV_NOPTS_VALUE || pts <= video.lastPts)) {
            pts = video.lastPts + frameDuration();
        } else if (pts == AV_NOPTS_VALUE) {
            pts = 0;
        }
        video.lastPts = pts;
        video.converted->pts = pts;
        return encode(video, video.converted.get());
    }

    int64_t frameDuration() const {
        const AVCodecContext& encoder = *m_video->encoder;
        if (encoder.framerate.num <= 0 || encoder.framerate.den <= 0) {
            return 1;
        }
        return std::max<int64_t>(1,
                                 av_rescale_q(1, av_inv_q(encoder.framerate), encoder.time_base));
    }

    int audioFrameSize() const {
        return m_audio->encoder->frame_size > 0 ? m_audio->encoder->frame_size : 1024;
    }

    // Converts decoded sound to the encoder's format and queues it; null drains the converter.
    Step resample(const AVFrame* frame) {
        AudioTrack& audio = *m_audio;
        const AVCodecContext& encoder = *audio.encoder;
        if (!audio.resampler) {
            if (!frame) {
                return {};
            }
            if (Step started = startResampling(*frame); !started) {
                return started;
            }
        }
        const int capacity =
            swr_get_out_samples(audio.resampler.get(), frame ? frame->nb_samples : 0);
        if (capacity < 0) {
            return fail(Failure::encodingFailed);
        }
        if (capacity == 0) {
            return {};
        }
        const Frame converted = audioFrame(encoder, capacity);
        if (!converted) {
            return fail(Failure::encodingFailed);
        }
        const int samples =
            swr_convert(audio.resampler.get(), converted->extended_data, capacity,
                        frame ? const_cast<const uint8_t**>(frame->extended_data) : nullptr,
                        frame ? frame->nb_samples : 0);
        if (samples < 0) {
            return fail(Failure::unsupportedSource);
        }
        if (av_audio_fifo_write(audio.fifo.get(),
                                reinterpret_cast<void**>(converted->extended_data),
                                samples) < samples) {
            return fail(Failure::encodingFailed);
        }
        return encodeBufferedAudio(false);
    }

    Step startResampling(const AVFrame& frame) {
        AudioTrack& audio = *m_audio;
        const AVCodecContext& encoder = *audio.encoder;
        // Sound without a channel order is taken in the usual order for its channel count.
        AVChannelLayout inputLayout{};
        AVChannelLayout outputLayout{};
        if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
            av_channel_layout_default(&inputLayout, frame.ch_layout.nb_channels);
        } else if (av_channel_layout_copy(&inputLayout, &frame.ch_layout) < 0) {
            return fail(Failure::encodingFailed);
        }
        SwrContext* resampler = nullptr;
        const int allocated =
            av_channel_layout_copy(&outputLayout, &encoder.ch_layout) < 0
                ? -1
                : swr_alloc_set_opts2(&resampler, &outputLayout, encoder.sample_fmt,
                                      encoder.sample_rate, &inputLayout,
                                      static_cast<AVSampleFormat>(frame.format), frame.sample_rate,
                                      0, nullptr);
        av_channel_layout_uninit(&inputLayout);
        av_channel_layout_uninit(&outputLayout);
        audio.resampler.reset(resampler);
        if (allocated < 0 || swr_init(resampler) < 0) {
            return fail(Failure::unsupportedSource);
        }
        // The sound keeps its place against the picture.
        if (frame.best_effort_timestamp != AV_NOPTS_VALUE) {
            audio.nextPts = av_rescale_q(frame.best_effort_timestamp, audio.input->time_base,
                                         encoder.time_base);
        }
        return {};
    }

    // The encoder takes sound in frames of a fixed size; only the very last may be shorter.
    Step encodeBufferedAudio(bool last) {
        AudioTrack& audio = *m_audio;
        const int frameSize = audioFrameSize();
        while (av_audio_fifo_size(audio.fifo.get()) >= frameSize ||
               (last && av_audio_fifo_size(audio.fifo.get()) > 0)) {
            const int samples = std::min(frameSize, av_audio_fifo_size(audio.fifo.get()));
            const Frame frame = audioFrame(*audio.encoder, samples);
            if (!frame ||
                av_audio_fifo_read(audio.fifo.get(), reinterpret_cast<void**>(frame->extended_data),
                                   samples) < samples) {
                return fail(Failure::encodingFailed);
            }
            frame->pts = audio.nextPts;
            audio.nextPts += samples;
            if (Step encoded = encode(audio, frame.get()); !encoded) {
                return encoded;
            }
        }
        return {};
    }

    // Sends one frame (null: the end) to the track's encoder and writes what comes out.
    Step encode(Track& track, const AVFrame* frame) {
        if (avcodec_send_frame(track.encoder.get(), frame) < 0) {
            return fail(Failure::encodingFailed);
        }
        const Packet packet(av_packet_alloc());
        if (!packet) {
            return fail(Failure::encodingFailed);
        }
        while (true) {
            const int received = avcodec_receive_packet(track.encoder.get(), packet.get());
            if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) {
                return {};
            }
            if (received < 0) {
                return fail(Failure::encodingFailed);
            }
            packet->stream_index = track.output->index;
            av_packet_rescale_ts(packet.get(), track.encoder->time_base, track.output->time_base);
            if (av_interleaved_write_frame(m_output.get(), packet.get()) < 0) {
                return fail(Failure::encodingFailed);
            }
        }
    }

    Step finish() {
        if (av_write_trailer(m_output.get()) < 0) {
            return fail(Failure::encodingFailed);
        }
        // Closing writes what is still buffered; a full disk shows up here.
        if (avio_closep(&m_output->pb) < 0) {
            return fail(Failure::encodingFailed);
        }
        return {};
    }

    const VideoTranscoder::KeepGoing& m_keepGoing;
    bool m_cancelled = false;
    bool m_createdTarget = false;
    AVIOInterruptCB m_interrupt{&Transcoding::interrupt, this};
    Input m_input;
    Output m_output;
    std::optional<VideoTrack> m_video;
    std::optional<AudioTrack> m_audio;
};

}  // namespace

std::expected<void, VideoTranscoder::Failure> VideoTranscoder::transcode(
    const QString& source, const QString& target, const KeepGoing& keepGoing) {
    Transcoding transcoding(keepGoing);
    const Step outcome = transcoding.run(QFile::encodeName(source), QFile::encodeName(target));
    if (outcome) {
        return outcome;
    }
    transcoding.closeOutput();
    if (transcoding.createdTarget()) {
        QFile::remove(target);
    }
    return transcoding.cancelled() ? fail(Failure::cancelled) : outcome;
}

}  // namespace pathloom
