// The video module: the one place that speaks to FFmpeg. It is built as a shared library of
// its own, which the program loads at its first video (imaging/videomodule.h).
#include "imaging/videosource.h"

#include <QIODevice>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/avstring.h>
#include <libavutil/display.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace mrv {

namespace {

constexpr int IoBufferSize = 64 * 1024;

/// The containers the import reads, by FFmpeg's demuxer names: files that hold their own
/// pictures. Playlists, concatenation lists, picture sequences and formats that refer to other
/// files are not among them, so a file can never make the reader open another.
constexpr char ReadFormats[] = "mov,matroska,webm,avi,ogg,asf,mpeg,mpegts,flv";
/// The one input is the program's own I/O; no protocol may open anything else.
constexpr char NoProtocols[] = "none";

/// Bytes the opening of the container may read (headers, the streams' first packets). A
/// stream followed by junk would otherwise have the demuxer search gigabytes for its next
/// packet.
constexpr qint64 OpenBytes = 64 * 1024 * 1024;

struct State;

int ReadPacket(void *opaque, uint8_t *buffer, int size);
int64_t Seek(void *opaque, int64_t offset, int whence);
int RefuseNestedOpen(AVFormatContext *context, AVIOContext **, const char *, int, AVDictionary **);
int CheckCancel(void *opaque);
int GetBuffer(AVCodecContext *context, AVFrame *frame, int flags);

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

/// The filters that turn a stored picture upright as a display matrix asks, read as FFmpeg's
/// own player reads it: the angle to the nearest quarter, a negative determinant as a mirror.
/// Empty for a picture stored upright.
QString UprightFilters(const int32_t *matrix)
{
    if (!matrix)
        return {};
    double theta = -std::round(av_display_rotation_get(matrix));
    theta -= 360 * std::floor(theta / 360 + 0.9 / 360);
    if (std::abs(theta - 90) < 1)
        return matrix[3] > 0 ? QStringLiteral("transpose=cclock_flip")
                             : QStringLiteral("transpose=clock");
    if (std::abs(theta - 270) < 1)
        return matrix[3] < 0 ? QStringLiteral("transpose=clock_flip")
                             : QStringLiteral("transpose=cclock");
    QStringList flips;
    if (std::abs(theta - 180) < 1 && matrix[0] < 0)
        flips << QStringLiteral("hflip");
    if ((std::abs(theta - 180) < 1 || std::abs(theta) < 1) && matrix[4] < 0)
        flips << QStringLiteral("vflip");
    return flips.join(u',');
}

/// Whether the upright filters swap width and height.
bool Transposes(const QString &filters)
{
    return filters.startsWith(QStringLiteral("transpose"));
}

struct GraphDeleter
{
    void operator()(AVFilterGraph *graph) const { avfilter_graph_free(&graph); }
};

/// A chain of FFmpeg's filters over the decoded frames, one picture out for each frame in:
/// deinterlacing (bwdif: frames marked interlaced are deinterlaced, others pass) and the turn
/// upright, done on the decoded picture as FFmpeg's player does. Outputs may lag a frame.
class PictureFilters
{
public:
    /// Whether the graph takes this frame with this chain; false when it must be built anew.
    bool Fits(const AVFrame &frame, const QString &chain) const
    {
        return m_graph && chain == m_chain && frame.width == m_width && frame.height == m_height &&
               frame.format == m_format;
    }

    /// Builds the graph for frames like this one; false when the filters do not take them.
    bool Build(const AVFrame &frame, AVRational timeBase, const QString &chain)
    {
        m_graph.reset(avfilter_graph_alloc());
        if (!m_graph)
            return false;
        m_graph->nb_threads = 1;
        const AVRational aspect =
            frame.sample_aspect_ratio.num > 0 ? frame.sample_aspect_ratio : AVRational{1, 1};
        const QByteArray source = QStringLiteral("video_size=%1x%2:pix_fmt=%3:time_base=%4/%5:"
                                                 "pixel_aspect=%6/%7")
                                      .arg(frame.width)
                                      .arg(frame.height)
                                      .arg(frame.format)
                                      .arg(timeBase.num)
                                      .arg(timeBase.den)
                                      .arg(aspect.num)
                                      .arg(aspect.den)
                                      .toLatin1();
        AVFilterInOut *outputs = avfilter_inout_alloc();
        AVFilterInOut *inputs = avfilter_inout_alloc();
        bool built =
            outputs && inputs &&
            avfilter_graph_create_filter(&m_source, avfilter_get_by_name("buffer"), "in",
                                         source.constData(), nullptr, m_graph.get()) >= 0 &&
            avfilter_graph_create_filter(&m_sink, avfilter_get_by_name("buffersink"), "out",
                                         nullptr, nullptr, m_graph.get()) >= 0;
        if (built) {
            outputs->name = av_strdup("in");
            outputs->filter_ctx = m_source;
            inputs->name = av_strdup("out");
            inputs->filter_ctx = m_sink;
            built = avfilter_graph_parse_ptr(m_graph.get(), chain.toLatin1().constData(), &inputs,
                                             &outputs, nullptr) >= 0 &&
                    avfilter_graph_config(m_graph.get(), nullptr) >= 0;
        }
        avfilter_inout_free(&inputs);
        avfilter_inout_free(&outputs);
        if (!built) {
            m_graph.reset();
            return false;
        }
        m_chain = chain;
        m_width = frame.width;
        m_height = frame.height;
        m_format = frame.format;
        m_timeBase = timeBase;
        return true;
    }

    bool Active() const { return bool(m_graph); }

    /// Hands a decoded frame in (null: the end), then each picture that is ready to `take`,
    /// timed in the stream's time base again (the deinterlacer counts in half steps).
    template <typename Take> void Push(AVFrame *frame, AVFrame &out, Take &&take)
    {
        if (av_buffersrc_add_frame_flags(m_source, frame, AV_BUFFERSRC_FLAG_KEEP_REF) < 0)
            return;
        const AVRational timeBase = av_buffersink_get_time_base(m_sink);
        while (av_buffersink_get_frame(m_sink, &out) >= 0) {
            if (out.pts != AV_NOPTS_VALUE)
                out.pts = av_rescale_q(out.pts, timeBase, m_timeBase);
            out.best_effort_timestamp = out.pts;
            const bool more = take(out);
            av_frame_unref(&out);
            if (!more)
                return;
        }
    }

    void Reset() { m_graph.reset(); }

private:
    std::unique_ptr<AVFilterGraph, GraphDeleter> m_graph;
    AVFilterContext *m_source = nullptr;
    AVFilterContext *m_sink = nullptr;
    QString m_chain;
    int m_width = 0;
    int m_height = 0;
    int m_format = -1;
    AVRational m_timeBase{1, 1};
};

struct State
{
    QIODevice &device;
    const VideoLimits limits;
    /// The cancel flag of the call under way, looked at inside FFmpeg's reads.
    const std::atomic_bool *cancel = nullptr;
    /// Bytes read since the last sign of progress (a packet while listing, a decoded frame
    /// while decoding), and how many may be; past it the reads see the end of the file.
    qint64 unproductiveBytes = 0;
    qint64 allowedBytes = OpenBytes;
    /// Opens of further files that the container asked for and was refused.
    int refusedOpens = 0;
    /// The size of a picture the decoder was refused a buffer for, as past the limit. The
    /// decoder's threads write it.
    std::atomic_int refusedWidth = 0;
    std::atomic_int refusedHeight = 0;
    /// Each stream's picture size as the container's headers give it.
    std::vector<QSize> declaredSizes;
    /// The filters that turn pictures upright, and whether the stream says it is interlaced.
    QString upright;
    bool interlaced = false;
    PictureFilters filters;
    std::unique_ptr<AVIOContext, IoDeleter> io;
    std::unique_ptr<AVFormatContext, FormatDeleter> format;
    std::unique_ptr<AVCodecContext, CodecDeleter> codec;
    std::unique_ptr<SwsContext, ScaleDeleter> scale;
    const AVCodec *decoder = nullptr;
    int stream = -1;
    VideoInfo info;

    State(QIODevice &d, const VideoLimits &l) : device(d), limits(l) {}

    /// Bytes that may be read for one packet or frame: the largest raw picture of the stream
    /// and the slack.
    qint64 FrameBytes() const
    {
        const AVCodecParameters &parameters = *Stream()->codecpar;
        return limits.slackBytes +
               8 * qint64(std::max(parameters.width, 0)) * std::max(parameters.height, 0);
    }

    void Progressed() { unproductiveBytes = 0; }

    /// The message of a picture past the frame limit.
    QString FrameTooLarge(int width, int height) const
    {
        return Tr::tr("视频画面为 %1 × %2 像素，超过可以导入的 %3 万像素")
            .arg(width)
            .arg(height)
            .arg(limits.framePixels / 10000);
    }

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

    /// Opens the container from the device's start; each pass reads from a fresh one. Only
    /// the formats in ReadFormats are taken, and nothing but the device is read.
    Status OpenInput()
    {
        format.reset();
        io.reset();
        unproductiveBytes = 0;
        allowedBytes = OpenBytes;
        if (!device.seek(0))
            return Status::Fail(Tr::tr("无法读取文件"));
        auto *buffer = static_cast<unsigned char *>(av_malloc(IoBufferSize));
        if (!buffer)
            return Status::Fail(Tr::tr("内存不足"));
        io.reset(avio_alloc_context(buffer, IoBufferSize, 0, this, ReadPacket, nullptr, Seek));
        if (!io) {
            av_free(buffer);
            return Status::Fail(Tr::tr("内存不足"));
        }
        const QString damaged = Tr::tr("不是可以读取的视频或图片，或文件已损坏");
        // The probe only looks at the file's head; the format it finds is checked before
        // anything of the format's own runs.
        const AVInputFormat *probed = nullptr;
        const int score = av_probe_input_buffer2(io.get(), &probed, "", nullptr, 0, 0);
        if (Cancelled(cancel))
            return Status::Fail(VideoCancelledMessage());
        if (score < 0 || !probed)
            return Status::Fail(damaged);
        if (av_match_list(probed->name, ReadFormats, ',') <= 0) {
            if (score <= AVPROBE_SCORE_RETRY)
                return Status::Fail(damaged);
            return Status::Fail(Tr::tr("文件是“%1”格式，不是可以导入的视频：只读取自身带有画面的"
                                       "视频文件（MP4、MOV、MKV、WebM、AVI 等），不读取播放列表、"
                                       "图片序列或引用其他文件的格式")
                                    .arg(QString::fromUtf8(probed->name)));
        }
        AVFormatContext *context = avformat_alloc_context();
        if (!context)
            return Status::Fail(Tr::tr("内存不足"));
        context->pb = io.get();
        context->flags |= AVFMT_FLAG_CUSTOM_IO;
        context->opaque = this;
        context->io_open = RefuseNestedOpen;
        context->interrupt_callback = {CheckCancel, this};
        AVDictionary *options = nullptr;
        av_dict_set(&options, "format_whitelist", ReadFormats, 0);
        av_dict_set(&options, "protocol_whitelist", NoProtocols, 0);
        // The probe reads a bounded head of the file; a damaged file fails here, not later.
        const int opened = avformat_open_input(&context, nullptr, probed, &options);
        av_dict_free(&options);
        if (opened < 0) {
            if (Cancelled(cancel))
                return Status::Fail(VideoCancelledMessage());
            if (refusedOpens > 0)
                return Status::Fail(Tr::tr("文件要读取其他文件，不是可以导入的视频"));
            return Status::Fail(damaged);
        }
        format.reset(context);
        return Status::Ok();
    }

    /// Reads the streams' parameters, which decodes a few frames; a header claiming a huge
    /// picture fails there instead of allocating it.
    bool FindStreamInfo()
    {
        const unsigned count = format->nb_streams;
        // A decoder refused a picture past the limit leaves the stream without a size; the
        // container's own figures still name it.
        declaredSizes.clear();
        for (unsigned i = 0; i < count; ++i)
            declaredSizes.emplace_back(format->streams[i]->codecpar->width,
                                       format->streams[i]->codecpar->height);
        std::vector<AVDictionary *> options(count, nullptr);
        for (AVDictionary *&dictionary : options)
            av_dict_set_int(&dictionary, "max_pixels", limits.framePixels, 0);
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
        // The decoder may go a step past the limit, so that GetBuffer sees the picture's size
        // and the refusal can name it; allocating is refused there.
        codec->max_pixels = 2 * limits.framePixels;
        codec->opaque = this;
        codec->get_buffer2 = GetBuffer;
        refusedWidth = 0;
        refusedHeight = 0;
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
        if (Cancelled(cancel))
            return Status::Fail(VideoCancelledMessage());
        allowedBytes = FrameBytes();
        Progressed();
        return Status::Ok();
    }

    /// The frame's picture at `size`, straight ARGB32; null when the conversion fails.
    QImage Convert(const AVFrame &frame, QSize shown)
    {
        if (frame.width <= 0 || frame.height <= 0 || shown.isEmpty())
            return {};
        // Scaled to the size shown, which also brings non-square pixels to the display aspect.
        const QSize size = shown;
        scale.reset(sws_getCachedContext(scale.release(), frame.width, frame.height,
                                         AVPixelFormat(frame.format), size.width(), size.height(),
                                         AV_PIX_FMT_BGRA, SWS_AREA | SWS_ACCURATE_RND, nullptr,
                                         nullptr, nullptr));
        if (!scale)
            return {};
        // The frame's own colour matrix and range (HD video is BT.709, most of it limited). A
        // file may carry any number there: read as integers, unknown ones count as unspecified.
        int space = 0;
        int range = 0;
        static_assert(sizeof space == sizeof frame.colorspace &&
                      sizeof range == sizeof frame.color_range);
        std::memcpy(&space, &frame.colorspace, sizeof space);
        std::memcpy(&range, &frame.color_range, sizeof range);
        if (space == AVCOL_SPC_UNSPECIFIED || space < 0 || space >= AVCOL_SPC_NB)
            space = frame.height >= 720 ? SWS_CS_ITU709 : SWS_CS_ITU601;
        const int *coefficients = sws_getCoefficients(space);
        sws_setColorspaceDetails(scale.get(), coefficients, range == AVCOL_RANGE_JPEG,
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

int ReadPacket(void *opaque, uint8_t *buffer, int size)
{
    State &state = *static_cast<State *>(opaque);
    if (Cancelled(state.cancel))
        return AVERROR_EXIT;
    const qint64 left = state.allowedBytes - state.unproductiveBytes;
    if (left <= 0)
        return AVERROR_EOF;
    const qint64 read =
        state.device.read(reinterpret_cast<char *>(buffer), std::min<qint64>(size, left));
    if (read < 0)
        return AVERROR(EIO);
    state.unproductiveBytes += read;
    return read == 0 ? AVERROR_EOF : int(read);
}

int64_t Seek(void *opaque, int64_t offset, int whence)
{
    QIODevice &device = static_cast<State *>(opaque)->device;
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE:
        return device.size();
    case SEEK_SET:
        break;
    case SEEK_CUR:
        offset += device.pos();
        break;
    case SEEK_END:
        offset += device.size();
        break;
    default:
        return -1;
    }
    return device.seek(offset) ? offset : -1;
}

// A format that opens further files or addresses (a playlist, a reference) finds no way, even
// one that got past the format list.
int RefuseNestedOpen(AVFormatContext *context, AVIOContext **, const char *, int, AVDictionary **)
{
    ++static_cast<State *>(context->opaque)->refusedOpens;
    return AVERROR(EPERM);
}

int CheckCancel(void *opaque)
{
    return Cancelled(static_cast<const State *>(opaque)->cancel) ? 1 : 0;
}

// Every decoded picture passes here before its memory is taken.
int GetBuffer(AVCodecContext *context, AVFrame *frame, int flags)
{
    State &state = *static_cast<State *>(context->opaque);
    if (qint64(frame->width) * frame->height > state.limits.framePixels) {
        state.refusedWidth = frame->width;
        state.refusedHeight = frame->height;
        return AVERROR(ERANGE);
    }
    return avcodec_default_get_buffer2(context, frame, flags);
}

class FfmpegVideoSource final : public VideoSource
{
public:
    FfmpegVideoSource(QIODevice &device, const VideoLimits &limits);

    Status Open(const std::atomic_bool *cancel) override;
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

FfmpegVideoSource::FfmpegVideoSource(QIODevice &device, const VideoLimits &limits)
    : m_state(device, limits)
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

Status FfmpegVideoSource::Open(const std::atomic_bool *cancel)
{
    State &s = m_state;
    s.cancel = cancel;
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
    QSize coded(parameters.width, parameters.height);
    if (coded.isEmpty() && size_t(s.stream) < s.declaredSizes.size())
        coded = s.declaredSizes[size_t(s.stream)];
    if (coded.isEmpty())
        return Status::Fail(Tr::tr("视频流没有画面尺寸，文件可能已损坏"));
    if (qint64(coded.width()) * coded.height() > s.limits.framePixels)
        return Status::Fail(s.FrameTooLarge(coded.width(), coded.height()));
    if (parameters.width <= 0 || parameters.height <= 0)
        return Status::Fail(Tr::tr("视频流没有画面尺寸，文件可能已损坏"));
    // Shown at the display aspect (a sample aspect of 2:1 shows 320 x 240 as 640 x 240) and
    // upright, as players show it.
    const AVRational aspect = av_guess_sample_aspect_ratio(s.format.get(), s.Stream(), nullptr);
    QSize shown = coded;
    if (aspect.num > 0 && aspect.den > 0 && aspect.num != aspect.den)
        shown.setWidth(int(std::clamp<qint64>(av_rescale(coded.width(), aspect.num, aspect.den), 1,
                                              16 * qint64(coded.width()))));
    s.upright = UprightFilters(reinterpret_cast<const int32_t *>(
        av_stream_get_side_data(s.Stream(), AV_PKT_DATA_DISPLAYMATRIX, nullptr)));
    s.info.size = Transposes(s.upright) ? shown.transposed() : shown;
    s.interlaced = parameters.field_order > AV_FIELD_PROGRESSIVE;
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
    s.cancel = cancel;
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
            s.Progressed();
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
    s.cancel = cancel;
    if (s.stream < 0)
        return Status::Fail(Tr::tr("视频未打开"));
    if (Status rewound = s.Rewind(startMs); !rewound)
        return rewound;
    if (Status opened = s.OpenDecoder(); !opened)
        return opened;
    const std::unique_ptr<AVPacket, PacketDeleter> packet(av_packet_alloc());
    const std::unique_ptr<AVFrame, FrameDeleter> frame(av_frame_alloc());
    const std::unique_ptr<AVFrame, FrameDeleter> filtered(av_frame_alloc());
    if (!packet || !frame || !filtered)
        return Status::Fail(Tr::tr("内存不足"));
    const int total = int(std::clamp<qint64>(endMs - startMs, 1, INT_MAX));
    int decoded = 0;
    qint64 decodedPixels = 0;
    bool done = false;
    bool stopped = false;
    QString failure;
    const auto fail = [&](const QString &why) {
        failure = why;
        stopped = true;
    };
    // A frame the decoder was refused memory for is not skipped as damaged: the read fails
    // naming its size, so that no earlier frame silently stands in for it.
    const auto refused = [&] {
        if (s.refusedWidth > 0)
            fail(s.FrameTooLarge(s.refusedWidth, s.refusedHeight));
        return stopped;
    };
    // One picture as shown: handed over when its time is wanted; false once the range is
    // passed or the read stops.
    const auto handOver = [&](const AVFrame &picture) {
        const int64_t ts =
            picture.pts != AV_NOPTS_VALUE ? picture.pts : picture.best_effort_timestamp;
        const qint64 ms = ts == AV_NOPTS_VALUE ? 0 : s.ToMs(ts);
        if (ms >= endMs) {
            done = true;
        } else if (wanted(ms)) {
            VideoFrame out{s.Convert(picture, size), ms};
            if (out.image.isNull())
                fail(Tr::tr("视频画面无法转换"));
            else if (!sink(out))
                stopped = true;
        }
        if (progress)
            progress(int(std::clamp<qint64>(ms - startMs, 0, total)), total);
        return !done && !stopped;
    };
    s.filters.Reset();
    bool filtersRefused = false;
    // One decoded frame: counted against the limits, deinterlaced when the stream or the
    // frame says it is interlaced, turned upright, then handed over.
    const auto take = [&](AVFrame &picture) {
        s.Progressed();
        ++decoded;
        const qint64 pixels = qint64(picture.width) * picture.height;
        if (pixels > s.limits.framePixels)
            return fail(s.FrameTooLarge(picture.width, picture.height));
        decodedPixels += pixels;
        if (decodedPixels > s.limits.decodedPixels)
            return fail(Tr::tr("要解码的画面超过一次导入的上限（各帧宽 × 高之和不超过 %1 像素）")
                            .arg(s.limits.decodedPixels));
        if (picture.best_effort_timestamp != AV_NOPTS_VALUE)
            picture.pts = picture.best_effort_timestamp;
        QStringList chain;
        if (s.interlaced || picture.interlaced_frame)
            chain << QStringLiteral("bwdif=mode=send_frame:parity=auto:deint=interlaced");
        if (!s.upright.isEmpty())
            chain << s.upright;
        const QString filters = chain.join(u',');
        if (filtersRefused || (filters.isEmpty() && !s.filters.Active())) {
            handOver(picture);
            return;
        }
        if (!s.filters.Fits(picture, filters)) {
            // The pictures held for the former chain first.
            if (s.filters.Active())
                s.filters.Push(nullptr, *filtered, handOver);
            if (done || stopped)
                return;
            if (filters.isEmpty() || !s.filters.Build(picture, s.Stream()->time_base, filters)) {
                // A pixel format the filters do not take is shown as decoded.
                filtersRefused = !filters.isEmpty();
                s.filters.Reset();
                handOver(picture);
                return;
            }
        }
        s.filters.Push(&picture, *filtered, handOver);
    };
    // Hands over what the decoder has ready, until the range is passed or the sink stops.
    const auto drain = [&] {
        while (!done && !stopped && !refused() &&
               avcodec_receive_frame(s.codec.get(), frame.get()) >= 0) {
            take(*frame);
            av_frame_unref(frame.get());
        }
        refused();
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
                if (!done && !stopped)
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
    if (!done && !stopped && s.filters.Active())
        s.filters.Push(nullptr, *filtered, handOver);
    s.filters.Reset();
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

extern "C" mrv::VideoSource *MIROVANE_VIDEO_FACTORY(QIODevice *device,
                                                    const mrv::VideoLimits &limits)
{
    return device ? new (std::nothrow) mrv::FfmpegVideoSource(*device, limits) : nullptr;
}
