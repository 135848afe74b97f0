#pragma once

#include <string>
#include <vector>

// How the H.264 encoder trades size and time for fidelity (docs/export.md has the measured
// table): standard is for sharing, at a video site's bitrate; master keeps the grain as
// drawn, for editing elsewhere, at nine times the size; lossless keeps every pixel of the
// picture as converted to the video's colours; few players play it.
enum class VideoQuality { Draft, Standard, Master, Lossless };

// The word --quality takes for `quality`: "draft", "standard", "master" or "lossless".
const char* qualityName(VideoQuality quality);

// The video's codec: H.264, which every player plays, or AV1, whose grain the player makes
// as it decodes, for the smallest file.
enum class VideoCodec { H264, Av1 };

// The word --codec takes for `codec`: "h264" or "av1".
const char* codecName(VideoCodec codec);

// What the film renderer was asked to do. Times are seconds of film, counted from the opening
// scene's first frame (the poem's clock); negative times fall in the black lead-in.
struct FilmOptions {
    int fps = 60;                // frames per second of film; every frame has dt = 1 / fps
    std::vector<double> at;      // single frames to write
    double every = 0.0;          // a frame every this many seconds from T = 0; 0 for none
    std::string sheet;           // with `every`: one contact sheet instead of single frames
    std::string outDir = ".";    // where single frames go
    double until = 0.0;          // with hasUntil: stop after the frame at this time
    bool hasUntil = false;
    std::string video;           // an MP4 of [from, until) with the song; fps 30 unless given
    double from = 0.0;           // with hasFrom: the video's first frame; else the lead-in's first
    bool hasFrom = false;
    VideoQuality quality = VideoQuality::Standard;  // with --video
    VideoCodec codec = VideoCodec::H264;            // with --video
    int jobs = 0;                // with --video: processes drawing it; 0 for as many as help
    bool pictureOnly = false;    // with --video: the picture alone, no song or captions
    bool part = false;           // with --picture-only: a part of another export, which speaks for it
    bool help = false;

    // Reads the command line. False, with `error` set to a one-line reason, when an option
    // is unknown, lacks its value or has a value out of range, or when options do not fit.
    bool parse(int argc, char** argv, std::string& error);

    // The text that --help prints.
    static std::string usage();
};
