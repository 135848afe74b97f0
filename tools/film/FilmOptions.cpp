#include "FilmOptions.hpp"

#include "CommandLine.hpp"
#include "FilmFrames.hpp"
#include "FilmTime.hpp"
#include "ToolNumbers.hpp"

#include <sstream>

namespace {
bool readTimes(const std::string& text, std::vector<double>& times, std::string& error)
{
    std::stringstream list(text);
    std::string item;
    while (std::getline(list, item, ',')) {
        double value = 0.0;
        if (!readFilmTimeOption("--at", item, value, error))
            return false;
        times.push_back(value);
    }
    return !times.empty();
}

bool readQuality(const std::string& text, VideoQuality& quality)
{
    for (VideoQuality each :
         {VideoQuality::Draft, VideoQuality::Standard, VideoQuality::Master, VideoQuality::Lossless})
        if (text == qualityName(each)) {
            quality = each;
            return true;
        }
    return false;
}

bool readCodec(const std::string& text, VideoCodec& codec)
{
    for (VideoCodec each : {VideoCodec::H264, VideoCodec::Av1})
        if (text == codecName(each)) {
            codec = each;
            return true;
        }
    return false;
}
}

const char* qualityName(VideoQuality quality)
{
    switch (quality) {
    case VideoQuality::Draft: return "draft";
    case VideoQuality::Master: return "master";
    case VideoQuality::Lossless: return "lossless";
    default: return "standard";
    }
}

const char* codecName(VideoCodec codec)
{
    return codec == VideoCodec::Av1 ? "av1" : "h264";
}

bool FilmOptions::parse(int argc, char** argv, std::string& error)
{
    bool fpsGiven = false;
    std::string timeError;  // why a time was refused, said instead of "bad value"
    CommandLine line;
    line.flag("--help", help);
    line.flag("-h", help);
    line.option("--fps", [&](const std::string& value) {
        fpsGiven = true;
        return wholeNumberIn(1.0, 1000.0, fps)(value);
    });
    line.option("--at", [&](const std::string& value) { return readTimes(value, at, timeError); });
    line.option("--every", [&](const std::string& value) {
        return readNumber(value, every) && every > 0.0 && every <= FilmFrames::kEnd;
    });
    line.option("--sheet", [&](const std::string& value) { return !(sheet = value).empty(); });
    line.option("--out", [&](const std::string& value) { return !(outDir = value).empty(); });
    line.option("--until",
                [&](const std::string& value) { return hasUntil = readFilmTimeOption("--until", value, until, timeError); });
    line.option("--video", [&](const std::string& value) { return !(video = value).empty(); });
    line.option("--from",
                [&](const std::string& value) { return hasFrom = readFilmTimeOption("--from", value, from, timeError); });
    line.option("--quality", [&](const std::string& value) { return readQuality(value, quality); });
    line.option("--codec", [&](const std::string& value) { return readCodec(value, codec); });
    line.option("--jobs", wholeNumberIn(1.0, 64.0, jobs));
    line.flag("--picture-only", pictureOnly);
    line.flag("--part", part);
    if (!line.parse(argc, argv, error)) {
        if (!timeError.empty())
            error = timeError;
        return false;
    }
    if (!sheet.empty() && every <= 0.0) {
        error = "--sheet needs --every N";
        return false;
    }
    if (!video.empty() && !fpsGiven)
        fps = 30;
    if (hasFrom && video.empty()) {
        error = "--from needs --video FILE";
        return false;
    }
    if ((quality != VideoQuality::Standard || codec != VideoCodec::H264) && video.empty()) {
        error = std::string(codec != VideoCodec::H264 ? "--codec" : "--quality") + " needs --video FILE";
        return false;
    }
    if (codec == VideoCodec::Av1 && quality != VideoQuality::Standard) {
        error = "--quality chooses among H.264's settings; --codec av1 has one of its own";
        return false;
    }
    if ((jobs > 0 || pictureOnly) && video.empty()) {
        error = std::string(jobs > 0 ? "--jobs" : "--picture-only") + " needs --video FILE";
        return false;
    }
    if (part && !pictureOnly) {
        error = "--part needs --picture-only";
        return false;
    }
    if (!video.empty() && hasFrom && hasUntil && until <= from) {
        error = "--until must come after --from";
        return false;
    }
    return true;
}

std::string FilmOptions::usage()
{
    const std::string start = filmSecondsText(film::kStart);
    const std::string end = filmSecondsText(film::kEnd);
    return "drennmoor-film: renders the Drennmoor film off-screen, frame by frame, and writes\n"
           "what the player would see (the picture through the vignette, the poem on top) as PNG,\n"
           "or as a video with the song.\n"
           "\n"
           "It runs the game's own start-up and frame function at a fixed frame rate, silently,\n"
           "from the first frame of the black lead-in. It needs an X display for OpenGL; on a\n"
           "machine without one, run it under xvfb-run -a -s \"-screen 0 1920x1080x24\".\n"
           "Times T are seconds counted from the opening scene's first frame, the clock of the\n"
           "poem and the scenes (the walk begins at T = " + filmSecondsText(film::startOf(film::kWalk)) +
           ", the credits at " + filmSecondsText(film::startOf(film::kCredits)) + "); negative times\n"
           "fall in the " + filmSecondsText(-film::kStart) +
           " s lead-in. Each time is rendered as the nearest frame. A time before\n" + start + " or after " + end + " (the film's end), or that is no number, is refused with exit 2.\n"
           "Only the frames it writes are drawn: the frames before and between them run\n"
           "undrawn, which leaves the film in the same state, bit for bit, at a fraction of the\n"
           "cost, so a late time is reached in seconds.\n"
           "\n"
           "  --at T1,T2,...   write the frames at these times as <out>/frame_<T>.png\n"
           "  --every N        write a frame every N seconds from T = 0\n"
           "  --sheet FILE     with --every: one contact sheet FILE (PNG) of small frames in\n"
           "                   time order, eight to a row, instead of single frames\n"
           "  --out DIR        folder for single frames (default: the current folder)\n"
           "  --until T        stop after T (default: after the last frame asked for, or at the\n"
           "                   end of the film when --every is given)\n"
           "  --video FILE     write the film as FILE, H.264 in MP4 with the song (AAC), through\n"
           "                   ffmpeg; the song starts at T = 0 as in the game. Frames are the\n"
           "                   PNG frames, bit for bit. The poem's captions go beside it, as\n"
           "                   FILE with .vtt for its extension (WebVTT), and into the MP4 as a\n"
           "                   subtitle track\n"
           "  --from T         with --video: its first frame (default: the lead-in's first)\n"
           "                   --until T then ends it before the frame at T, so that it lasts\n"
           "                   exactly T - from (default: it ends when the film quits)\n"
           "  --quality Q      with --video: H.264's trade of size and time for fidelity, measured\n"
           "                   on this film: standard (the default, for sharing: H.264 High at a\n"
           "                   video site's 8 Mbit/s, about 200 MB for the film, the picture\n"
           "                   kept and the grain a little softer), draft (a quick look: smaller\n"
           "                   and quicker), master (for editing elsewhere: the grain as drawn,\n"
           "                   about 2 GB) or lossless (the picture exactly as converted to the\n"
           "                   video's colours, very large; few players play it)\n"
           "  --codec C        with --video: h264 (the default) or av1: AV1 whose grain the\n"
           "                   player makes as it decodes, the smallest file that keeps the\n"
           "                   grain (about 30 MB for the film), several times slower to write\n"
           "  --jobs N         with --video: draw it in N processes at once, each a consecutive\n"
           "                   range of frames, joined without encoding again into the frames\n"
           "                   one process draws (default: one per core, as far as the free\n"
           "                   memory holds them at 1.5 GiB each, and one for every 10 s of\n"
           "                   video at most)\n"
           "  --picture-only   with --video: the picture alone, without the song and the\n"
           "                   captions (what each of the --jobs processes writes)\n"
           "  --part           with --picture-only: one of the --jobs processes, which says\n"
           "                   nothing when stopped (the export it draws for says it)\n"
           "  --fps N          frames per second, dt = 1/N (default 60; 30 with --video)\n"
           "  --help           this text\n"
           "\n"
           "A video and its .vtt take their names together, once both are whole. Stopped by\n"
           "SIGINT (Ctrl-C), SIGTERM or SIGHUP, an export stops its processes and ffmpeg, removes\n"
           "what it made, leaves an earlier file of the same name as it was, says \"stopped\" and\n"
           "exits with 128 + the signal (130, 143, 129).\n"
           "\n"
           "Progress goes to standard error, one line per second of film; at the end the median\n"
           "milliseconds per drawn frame of each scene, the time of the undrawn frames and the peak\n"
           "memory; with --video also where each frame's time went (drawing, reading back,\n"
           "waiting for the encoder, and the encoder's own time). The same command gives the same PNG bytes on the same machine.\n"
           "\n"
           "Examples: drennmoor-film --sheet sheet.png --every 4\n"
           "          drennmoor-film --video drennmoor.mp4 --fps 30\n";
}
