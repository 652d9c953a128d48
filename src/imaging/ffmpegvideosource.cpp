// The video module: the one place that speaks to FFmpeg. It is built as a shared library of
// its own, which the program loads at its first video (imaging/videomodule.h).
#include "imaging/videosource.h"

#include <QIODevice>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <new>
#include <vector>

namespace mrv {

namespace {

constexpr int IoBufferSize = 64 * 1024;

/// The largest picture a video may have: 8K UHD with room to spare. A header claiming more
/// would have the decoder allocate gigabytes before a single frame shows.
constexpr qint64 MaxVideoFramePixels = 40'000'000;

int ReadPacket(void *opaque, uint8_t *buffer, int size)
{
    auto *device = static_cast<QIODevice *>(opaque);
    const qint64 read = device->read(reinterpret_cast<char *>(buffer), size);
    if (read < 0)
        return AVERROR(EIO);
    return read == 0 ? AVERROR_EOF : int(read);
}

int64_t Seek(void *opaque, int64_t offset, int whence)
{
    auto *device = static_cast<QIODevice *>(opaque);
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE:
        return device->size();
    case SEEK_SET:
        break;
    case SEEK_CUR:
        offset += device->pos();
        break;
    case SEEK_END:
        offset += device->size();
        break;
    default:
        return -1;
    }
    return device->seek(offset) ? offset : -1;
}

// Formats that open further files or addresses (playlists, concatenation lists) find no way.
int RefuseNestedOpen(AVFormatContext *, AVIOContext **, const char *, int, AVDictionary **)
{
    return AVERROR(EPERM);
}

struct FormatDeleter
{
    void operator()(AVFormatContext *context) const { avformat_close_input(&context); }
};
struct IoDeleter
{
    void operator()(AVIOContext *io) const
    {
        if (io)
            av_freep(&io->buffer);
        avio_context_free(&io);
    }
};
struct CodecDeleter
{
    void operator()(AVCodecContext *context) const { avcodec_free_context(&context); }
};
struct PacketDeleter
{
    void operator()(AVPacket *packet) const { av_packet_free(&packet); }
};
struct FrameDeleter
{
    void operator()(AVFrame *frame) const { av_frame_free(&frame); }
};
struct ScaleDeleter
{
    void operator()(SwsContext *context) const { sws_freeContext(context); }
};

bool Cancelled(const std::atomic_bool *cancel)
{
    return cancel && cancel->load();
}

struct State
{
    QIODevice &device;
    std::unique_ptr<AVIOContext, IoDeleter> io;
    std::unique_ptr<AVFormatContext, FormatDeleter> format;
    std::unique_ptr<AVCodecContext, CodecDeleter> codec;
    std::unique_ptr<SwsContext, ScaleDeleter> scale;
    const AVCodec *decoder = nullptr;
    int stream = -1;
    VideoInfo info;

    explicit State(QIODevice &d) : device(d) {}

    AVStream *Stream() const { return format->streams[stream]; }

    qint64 StartTs() const
    {
        const int64_t start = Stream()->start_time;
        return start == AV_NOPTS_VALUE ? 0 : start;
    }

    /// Rounded down, so that a frame starting a fraction of a ms into one counts from it: a
    /// sample that falls exactly on a frame's start shows that frame.
    qint64 ToMs(int64_t ts) const
    {
        return av_rescale_q_rnd(ts - StartTs(), Stream()->time_base, AVRational{1, 1000},
                                AV_ROUND_DOWN);
    }

    int64_t FromMs(qint64 ms) const
    {
        return StartTs() + av_rescale_q(ms, AVRational{1, 1000}, Stream()->time_base);
    }

    /// Opens the container from the device's start; each pass reads from a fresh one.
    Status OpenInput()
    {
        format.reset();
        io.reset();
        if (!device.seek(0))
            return Status::Fail(Tr::tr("无法读取文件"));
        auto *buffer = static_cast<unsigned char *>(av_malloc(IoBufferSize));
        if (!buffer)
            return Status::Fail(Tr::tr("内存不足"));
        io.reset(avio_alloc_context(buffer, IoBufferSize, 0, &device, ReadPacket, nullptr, Seek));
        if (!io) {
            av_free(buffer);
            return Status::Fail(Tr::tr("内存不足"));
        }
        AVFormatContext *context = avformat_alloc_context();
        if (!context)
            return Status::Fail(Tr::tr("内存不足"));
        context->pb = io.get();
        context->flags |= AVFMT_FLAG_CUSTOM_IO;
        context->io_open = RefuseNestedOpen;
        // The probe reads a bounded head of the file; a damaged file fails here, not later.
        if (avformat_open_input(&context, nullptr, nullptr, nullptr) < 0)
            return Status::Fail(Tr::tr("不是可以读取的视频或图片，或文件已损坏"));
        format.reset(context);
        return Status::Ok();
    }

    /// Reads the streams' parameters, which decodes a few frames; a header claiming a huge
    /// picture fails there instead of allocating it.
    bool FindStreamInfo()
    {
        const unsigned count = format->nb_streams;
        std::vector<AVDictionary *> options(count, nullptr);
        for (AVDictionary *&dictionary : options)
            av_dict_set_int(&dictionary, "max_pixels", MaxVideoFramePixels, 0);
        const bool found = avformat_find_stream_info(format.get(), options.data()) >= 0;
        for (AVDictionary *&dictionary : options)
            av_dict_free(&dictionary);
        return found;
    }

    /// A decoder for the stream, fresh for each pass.
    Status OpenDecoder()
    {
        codec.reset(avcodec_alloc_context3(decoder));
        if (!codec || avcodec_parameters_to_context(codec.get(), Stream()->codecpar) < 0)
            return Status::Fail(Tr::tr("内存不足"));
        codec->thread_count = 0;
        codec->max_pixels = MaxVideoFramePixels;
        codec->pkt_timebase = Stream()->time_base;
        if (avcodec_open2(codec.get(), decoder, nullptr) < 0)
            return Status::Fail(Tr::tr("无法打开“%1”视频的解码器").arg(info.codec));
        return Status::Ok();
    }

    /// Opens the input again and moves to the key frame at or before startMs.
    Status Rewind(qint64 startMs)
    {
        if (Status opened = OpenInput(); !opened)
            return opened;
        if (!FindStreamInfo() || stream >= int(format->nb_streams))
            return Status::Fail(Tr::tr("不是可以读取的视频或图片，或文件已损坏"));
        for (unsigned i = 0; i < format->nb_streams; ++i)
            format->streams[i]->discard = int(i) == stream ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
        // A failed seek reads from the start instead, which only costs time.
        if (startMs > 0)
            av_seek_frame(format.get(), stream, FromMs(startMs), AVSEEK_FLAG_BACKWARD);
        return Status::Ok();
    }

    /// The frame's picture at `size`, straight ARGB32; null when the conversion fails.
    QImage Convert(const AVFrame &frame, QSize size)
    {
        if (frame.width <= 0 || frame.height <= 0 || size.isEmpty())
            return {};
        scale.reset(sws_getCachedContext(scale.release(), frame.width, frame.height,
                                         AVPixelFormat(frame.format), size.width(), size.height(),
                                         AV_PIX_FMT_BGRA, SWS_AREA | SWS_ACCURATE_RND, nullptr,
                                         nullptr, nullptr));
        if (!scale)
            return {};
        // The frame's own colour matrix and range (HD video is BT.709, most of it limited).
        const int space = frame.colorspace == AVCOL_SPC_UNSPECIFIED
                              ? (frame.height >= 720 ? SWS_CS_ITU709 : SWS_CS_ITU601)
                              : int(frame.colorspace);
        const int *coefficients = sws_getCoefficients(space);
        sws_setColorspaceDetails(scale.get(), coefficients, frame.color_range == AVCOL_RANGE_JPEG,
                                 sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
        // swscale's vector code writes whole blocks of pixels, past a row's last pixel when
        // the width is not a multiple of the block: each row gets room up to the next 64
        // bytes, and the buffer a spare block after the last.
        constexpr qsizetype Block = 64;
        const qsizetype stride = (qsizetype(size.width()) * 4 + Block - 1) / Block * Block;
        auto *pixels = static_cast<uchar *>(av_malloc(size_t(stride * size.height() + Block)));
        if (!pixels)
            return {};
        // BGRA bytes are ARGB32 words on the little-endian machines the program runs on.
        QImage image(pixels, size.width(), size.height(), stride, QImage::Format_ARGB32, av_free,
                     pixels);
        if (image.isNull()) {
            av_free(pixels);
            return {};
        }
        uint8_t *planes[4] = {pixels, nullptr, nullptr, nullptr};
        const int strides[4] = {int(stride), 0, 0, 0};
        if (sws_scale(scale.get(), frame.data, frame.linesize, 0, frame.height, planes, strides) <=
            0)
            return {};
        return image;
    }
};

class FfmpegVideoSource final : public VideoSource
{
public:
    explicit FfmpegVideoSource(QIODevice &device);

    Status Open() override;
    const VideoInfo &Info() const override;
    Result<VideoTimes> Times(qint64 startMs, qint64 endMs, int maxFrames,
                             const std::atomic_bool *cancel) override;
    Status Decode(qint64 startMs, qint64 endMs, QSize size,
                  const std::function<bool(qint64 timeMs)> &wanted,
                  const std::function<bool(const VideoFrame &frame)> &sink,
                  const std::function<void(int done, int total)> &progress,
                  const std::atomic_bool *cancel) override;

private:
    State m_state;
};

FfmpegVideoSource::FfmpegVideoSource(QIODevice &device) : m_state(device)
{
    // The reasons reach the user as messages; FFmpeg's own lines on stderr would only repeat
    // them in another language.
    static const bool quiet = [] {
        av_log_set_level(AV_LOG_QUIET);
        return true;
    }();
    (void)quiet;
}

const VideoInfo &FfmpegVideoSource::Info() const
{
    return m_state.info;
}

Status FfmpegVideoSource::Open()
{
    State &s = m_state;
    if (Status opened = s.OpenInput(); !opened)
        return opened;
    if (!s.FindStreamInfo())
        return Status::Fail(Tr::tr("不是可以读取的视频或图片，或文件已损坏"));
    s.stream = av_find_best_stream(s.format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &s.decoder, 0);
    if (s.stream == AVERROR_STREAM_NOT_FOUND || s.stream < 0) {
        if (s.stream == AVERROR_DECODER_NOT_FOUND) {
            // Name the codec the file asks for.
            const int found =
                av_find_best_stream(s.format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
            const char *name =
                found >= 0 ? avcodec_get_name(s.format->streams[found]->codecpar->codec_id) : "?";
            return Status::Fail(
                Tr::tr("没有可以解码“%1”视频的解码器").arg(QString::fromUtf8(name)));
        }
        return Status::Fail(Tr::tr("文件中没有视频流"));
    }
    const AVCodecParameters &parameters = *s.Stream()->codecpar;
    s.info.codec = QString::fromUtf8(avcodec_get_name(parameters.codec_id));
    s.info.size = QSize(parameters.width, parameters.height);
    if (s.info.size.isEmpty())
        return Status::Fail(Tr::tr("视频流没有画面尺寸，文件可能已损坏"));
    if (qint64(parameters.width) * parameters.height > MaxVideoFramePixels)
        return Status::Fail(Tr::tr("视频画面为 %1 × %2 像素，超过可以导入的 %3 万像素")
                                .arg(parameters.width)
                                .arg(parameters.height)
                                .arg(MaxVideoFramePixels / 10000));
    const AVStream &stream = *s.Stream();
    if (stream.duration != AV_NOPTS_VALUE && stream.duration > 0)
        s.info.durationMs = av_rescale_q(stream.duration, stream.time_base, AVRational{1, 1000});
    else if (s.format->duration != AV_NOPTS_VALUE && s.format->duration > 0)
        s.info.durationMs = s.format->duration / 1000;
    const AVRational rate =
        stream.avg_frame_rate.num > 0 ? stream.avg_frame_rate : stream.r_frame_rate;
    if (rate.num > 0 && rate.den > 0)
        s.info.frameRate = av_q2d(rate);
    return s.OpenDecoder();
}

Result<VideoTimes> FfmpegVideoSource::Times(qint64 startMs, qint64 endMs, int maxFrames,
                                      const std::atomic_bool *cancel)
{
    State &s = m_state;
    if (s.stream < 0)
        return Result<VideoTimes>::Fail(Tr::tr("视频未打开"));
    if (Status rewound = s.Rewind(startMs); !rewound)
        return Result<VideoTimes>::Fail(rewound.message());
    VideoTimes times;
    std::vector<qint64> all;
    qint64 lastEnd = 0;
    const std::unique_ptr<AVPacket, PacketDeleter> packet(av_packet_alloc());
    if (!packet)
        return Result<VideoTimes>::Fail(Tr::tr("内存不足"));
    qint64 inRange = 0;
    // A frame at or past the end: the last frame in the range shows until the end.
    bool continues = false;
    const qint64 fallbackDuration =
        s.info.frameRate > 0 ? qint64(std::lround(1000 / s.info.frameRate)) : 40;
    while (av_read_frame(s.format.get(), packet.get()) >= 0) {
        if (Cancelled(cancel))
            return Result<VideoTimes>::Fail(VideoCancelledMessage());
        if (packet->stream_index == s.stream) {
            ++times.packets;
            const int64_t ts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
            if (ts != AV_NOPTS_VALUE) {
                const qint64 ms = s.ToMs(ts);
                // Packets come in decoding order; none after a decoding time past the end
                // shows before it.
                const int64_t dts = packet->dts != AV_NOPTS_VALUE ? packet->dts : ts;
                if (s.ToMs(dts) >= endMs) {
                    continues = true;
                    av_packet_unref(packet.get());
                    break;
                }
                continues = continues || ms >= endMs;
                if (ms < endMs) {
                    all.push_back(ms);
                    const qint64 shownUntil = packet->duration > 0 ? s.ToMs(ts + packet->duration)
                                                                   : ms + fallbackDuration;
                    lastEnd = std::max(lastEnd, std::max(shownUntil, ms + 1));
                    if (ms >= startMs && ++inRange > maxFrames) {
                        av_packet_unref(packet.get());
                        return Result<VideoTimes>::Fail(
                            Tr::tr("所选时间段的画面超过 %1 帧").arg(maxFrames));
                    }
                }
            }
        }
        av_packet_unref(packet.get());
    }
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    // The frame shown at the start is the last one starting at or before it.
    auto first = std::upper_bound(all.begin(), all.end(), startMs);
    if (first != all.begin())
        --first;
    times.timesMs.assign(first, all.end());
    times.endMs = continues ? endMs : std::min(endMs, lastEnd);
    if (times.timesMs.empty() || times.endMs <= std::max(startMs, times.timesMs.front()))
        return Result<VideoTimes>::Fail(Tr::tr("所选时间段内没有画面"));
    return times;
}

Status FfmpegVideoSource::Decode(qint64 startMs, qint64 endMs, QSize size,
                           const std::function<bool(qint64)> &wanted,
                           const std::function<bool(const VideoFrame &)> &sink,
                           const std::function<void(int, int)> &progress,
                           const std::atomic_bool *cancel)
{
    State &s = m_state;
    if (s.stream < 0)
        return Status::Fail(Tr::tr("视频未打开"));
    if (Status rewound = s.Rewind(startMs); !rewound)
        return rewound;
    if (Status opened = s.OpenDecoder(); !opened)
        return opened;
    const std::unique_ptr<AVPacket, PacketDeleter> packet(av_packet_alloc());
    const std::unique_ptr<AVFrame, FrameDeleter> frame(av_frame_alloc());
    if (!packet || !frame)
        return Status::Fail(Tr::tr("内存不足"));
    const int total = int(std::clamp<qint64>(endMs - startMs, 1, INT_MAX));
    int decoded = 0;
    bool done = false;
    bool stopped = false;
    QString failure;
    // Hands over what the decoder has ready; false once the range is passed or the sink stops.
    const auto drain = [&] {
        while (avcodec_receive_frame(s.codec.get(), frame.get()) >= 0) {
            const int64_t ts = frame->best_effort_timestamp != AV_NOPTS_VALUE
                                   ? frame->best_effort_timestamp
                                   : frame->pts;
            const qint64 ms = ts == AV_NOPTS_VALUE ? 0 : s.ToMs(ts);
            ++decoded;
            if (ms >= endMs) {
                done = true;
            } else if (wanted(ms)) {
                VideoFrame out{s.Convert(*frame, size), ms};
                if (out.image.isNull()) {
                    failure = Tr::tr("视频画面无法转换");
                    stopped = true;
                } else if (!sink(out)) {
                    stopped = true;
                }
            }
            if (progress)
                progress(int(std::clamp<qint64>(ms - startMs, 0, total)), total);
            av_frame_unref(frame.get());
            if (done || stopped)
                return false;
        }
        return true;
    };
    while (!done && !stopped) {
        if (Cancelled(cancel))
            return Status::Fail(VideoCancelledMessage());
        const int read = av_read_frame(s.format.get(), packet.get());
        if (read < 0)
            break;
        if (packet->stream_index == s.stream) {
            // A damaged packet is skipped, as players skip it.
            if (avcodec_send_packet(s.codec.get(), packet.get()) == AVERROR(EAGAIN)) {
                drain();
                avcodec_send_packet(s.codec.get(), packet.get());
            }
            drain();
        }
        av_packet_unref(packet.get());
    }
    if (!done && !stopped) {
        avcodec_send_packet(s.codec.get(), nullptr);
        drain();
    }
    if (Cancelled(cancel))
        return Status::Fail(VideoCancelledMessage());
    if (!failure.isEmpty())
        return Status::Fail(failure);
    if (stopped)
        return Status::Fail(Tr::tr("读取已停止"));
    if (decoded == 0)
        return Status::Fail(Tr::tr("视频数据已损坏，没有可以解码的画面"));
    if (progress)
        progress(total, total);
    return Status::Ok();
}

} // namespace

} // namespace mrv

extern "C" mrv::VideoSource *MIROVANE_VIDEO_FACTORY(QIODevice *device)
{
    return device ? new (std::nothrow) mrv::FfmpegVideoSource(*device) : nullptr;
}
