#include "EncoderSettings.hpp"

#include <string>

namespace {
// A video site's guidance for 1080p: H.264 High at 8 Mbit/s. The mean leaves room for the
// song; the buffer holds any 2 s to 10 Mbit/s (2 s at the peak rate plus the buffer). At this
// rate the film's grain is what x264 would drop first: keeping its small coefficients holds
// a little more of it for no more bits.
constexpr const char* kSharing = " -b:v 7600k -maxrate 8500k -bufsize 3000k"
                                 " -x264-params deadzone-inter=0:deadzone-intra=0:no-dct-decimate=1";

std::string h264(VideoQuality quality, int fps)
{
    switch (quality) {
    case VideoQuality::Draft: return " -c:v libx264 -preset ultrafast -crf 23";
    case VideoQuality::Master: return " -c:v libx264 -preset superfast -crf 14";
    case VideoQuality::Lossless: return " -c:v libx264 -preset ultrafast -qp 0";
    case VideoQuality::Standard: break;
    }
    // A key frame at least every 2 s, where a viewer can seek and a site can cut.
    return std::string(" -c:v libx264 -profile:v high -preset veryfast") + kSharing + " -g " +
           std::to_string(2 * fps);
}

// SVT-AV1 takes the grain out before it encodes and sends its parameters instead, so that the
// player draws grain of the same strength again as it decodes. Its faster presets gain little
// with film grain on, which they were not made for; level 16 keeps at least four fifths of
// the grain on every measured moment, the sea's heads being the hardest.
std::string av1(int fps)
{
    return " -c:v libsvtav1 -preset 6 -crf 35 -g " + std::to_string(2 * fps) +
           " -svtav1-params film-grain=16";
}
}

std::string videoCodecArguments(VideoCodec codec, VideoQuality quality, int fps)
{
    const std::string video = codec == VideoCodec::Av1 ? av1(fps) : h264(quality, fps);
    return video + " -pix_fmt yuv420p";
}
