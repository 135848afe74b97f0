#include "support/TestSupport.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

// drennmoor-film --video, run as the player would run it from the game folder (the tests'
// working directory), and its MP4 read back with ffprobe and ffmpeg. Rendering is slow on
// software OpenGL, so the exports are short and each is checked in every way at once.

namespace {
const std::string kFilm = "./drennmoor-film";

// ffprobe's key=value lines for one stream ("v:0", "a:0") or, for "", the container.
std::map<std::string, std::string> probe(const std::string& file, const std::string& stream)
{
    const std::string what = stream.empty() ? " -show_entries format=duration"
                                            : " -select_streams " + stream + " -count_frames -show_entries stream="
                                              "codec_name,profile,width,height,pix_fmt,start_time,duration,nb_read_frames";
    std::istringstream lines(shell("ffprobe -v error" + what + " -of default=noprint_wrappers=1 '" + file + "'").output);
    std::map<std::string, std::string> values;
    std::string line;
    while (std::getline(lines, line))
        if (line.find('=') != std::string::npos)
            values[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
    return values;
}

// Seconds to the first sample of the song's level in the decoded sound (the song itself starts
// within 10 ms), 8000 mono samples a second.
double soundOnset(const std::string& file)
{
    const std::string bytes = shell("ffmpeg -v error -i '" + file + "' -map 0:a:0 -ac 1 -ar 8000 -f s16le -").output;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        if (std::abs(static_cast<short>(static_cast<unsigned char>(bytes[i]) |
                                        (static_cast<unsigned char>(bytes[i + 1]) << 8))) >= 64)
            return static_cast<double>(i / 2) / 8000.0;
    return -1.0;
}
}

// T = 0, the song's second 0, is half a second into the first range: silence, then the song.
// The second begins with the song already playing.
TEST(VideoExport, ARangeIsH264WithTheSongStartingAtTZero)
{
    struct Range {
        const char* options;
        int frames;
        double onset;
    };
    for (const Range& range : {Range{"--from -0.5 --until 0.5", 30, 0.5}, Range{"--from 0.2 --until 0.5", 9, 0.0}}) {
        SCOPED_TRACE(range.options);
        TempDir folder;
        const std::string video = folder.path() + "/range.mp4";
        const Outcome film = shell(kFilm + " --video " + video + " " + range.options + " --fps 30 2>&1");
        ASSERT_EQ(film.status, 0) << film.output;
        EXPECT_NE(film.output.find("wrote " + std::to_string(range.frames) + " frames"), std::string::npos) << film.output;
        const double seconds = range.frames / 30.0;
        auto picture = probe(video, "v:0");
        EXPECT_EQ(picture["codec_name"], "h264");
        EXPECT_EQ(picture["width"], "1920");
        EXPECT_EQ(picture["height"], "1080");
        EXPECT_EQ(picture["pix_fmt"], "yuv420p");
        EXPECT_EQ(picture["nb_read_frames"], std::to_string(range.frames));
        EXPECT_NEAR(std::atof(picture["duration"].c_str()), seconds, 1.0 / 30);
        EXPECT_NEAR(std::atof(probe(video, "")["duration"].c_str()), seconds, 1.0 / 30);
        auto sound = probe(video, "a:0");
        EXPECT_EQ(sound["codec_name"], "aac");
        EXPECT_NEAR(std::atof(sound["duration"].c_str()), seconds, 1.0 / 30);
        EXPECT_NEAR(soundOnset(video), range.onset, 1.0 / 30);
    }
}

// The default is for sharing: what a video site asks of 1080p at 30 fps. The rain's grain is
// the costliest picture of the film, so it is where a rate would overshoot.
TEST(VideoExport, TheDefaultKeepsAVideoSitesBitrateAndKeyFrames)
{
    TempDir folder;
    const std::string video = folder.path() + "/share.mp4";
    const Outcome film = shell(kFilm + " --video " + video + " --from 20 --until 26 2>&1");
    ASSERT_EQ(film.status, 0) << film.output;
    EXPECT_EQ(probe(video, "v:0")["profile"], "High");
    EXPECT_LE(8.0 * static_cast<double>(std::filesystem::file_size(video)) / 6.0, 8e6);

    // Each packet's bits and whether it is a key frame ("K" among its flags).
    std::istringstream lines(
        shell("ffprobe -v error -select_streams v:0 -show_entries packet=size,flags -of csv=p=0 '" + video + "'").output);
    std::vector<std::pair<double, bool>> packets;
    for (std::string line; std::getline(lines, line);)
        if (line.find(',') != std::string::npos)
            packets.emplace_back(8.0 * std::atof(line.c_str()), line.find('K') != std::string::npos);
    ASSERT_EQ(packets.size(), 180u);
    std::size_t lastKey = 0;
    double window = 0.0;
    for (std::size_t i = 0; i < packets.size(); ++i) {
        if (packets[i].second)
            lastKey = i;
        EXPECT_LT(i - lastKey, 60u) << "no key frame in the 2 s before frame " << i;
        window += packets[i].first - (i >= 60 ? packets[i - 60].first : 0.0);
        EXPECT_LE(window / 2.0, 10e6) << "the 2 s before frame " << i;
    }
}

// AV1 with the grain made by the player, with the song and the captions as for H.264.
TEST(VideoExport, Av1CarriesTheSongAndTheCaptions)
{
    TempDir folder;
    const std::string video = folder.path() + "/small.mp4";
    const Outcome film = shell(kFilm + " --video " + video + " --codec av1 --from 27 --until 27.5 2>&1");
    ASSERT_EQ(film.status, 0) << film.output;
    EXPECT_EQ(probe(video, "v:0")["codec_name"], "av1");
    EXPECT_EQ(probe(video, "a:0")["codec_name"], "aac");
    EXPECT_EQ(probe(video, "s:0")["codec_name"], "mov_text");
}

namespace {
// Each decoded frame of the picture: its time and the MD5 of its pixels, one line a frame.
std::string pictureFrames(const std::string& file)
{
    std::istringstream lines(shell("ffmpeg -v error -i '" + file + "' -map 0:v:0 -f framemd5 -").output);
    std::string frames;
    std::string line;
    while (std::getline(lines, line))
        if (!line.empty() && line[0] != '#')
            frames += line.substr(line.find(',') + 1) + "\n";
    return frames;
}

std::string decoded(const std::string& file, const std::string& what)
{
    return shell("ffmpeg -v error -i '" + file + "' " + what).output;
}
}

TEST(VideoExport, SeveralProcessesGiveThePictureSoundAndCaptionsOfOne)
{
    // Lossless, so that the same frames decode to the same bytes, in three parts: two joins.
    // At one frame a second, 40 s of the opening and the walk, with the mist, the rain and
    // many lines of the poem; at 30, one second where a line begins, on the export's own rate
    // and time base.
    struct Range {
        std::string options;
        int frames;
    };
    for (const Range& range : {Range{" --from 20 --until 60 --fps 1", 40}, Range{" --from 20 --until 21", 30}}) {
        SCOPED_TRACE(range.options);
        TempDir folder;
        const std::string one = folder.path() + "/one.mp4";
        const std::string split = folder.path() + "/split.mp4";
        const std::string options = range.options + " --quality lossless 2>&1";
        const Outcome alone = shell(kFilm + " --video " + one + " --jobs 1" + options);
        ASSERT_EQ(alone.status, 0) << alone.output;
        const Outcome three = shell(kFilm + " --video " + split + " --jobs 3" + options);
        ASSERT_EQ(three.status, 0) << three.output;
        EXPECT_NE(three.output.find("drawn by 3 processes"), std::string::npos) << three.output;

        const std::string frames = pictureFrames(one);
        EXPECT_EQ(std::count(frames.begin(), frames.end(), '\n'), range.frames) << frames;
        EXPECT_EQ(pictureFrames(split), frames);
        EXPECT_EQ(probe(split, "v:0")["duration"], probe(one, "v:0")["duration"]);
        EXPECT_EQ(decoded(split, "-map 0:a:0 -f md5 -"), decoded(one, "-map 0:a:0 -f md5 -"));
        const std::string captions = readFile(folder.path() + "/one.vtt");
        EXPECT_NE(captions.find(" --> "), std::string::npos) << captions;
        EXPECT_EQ(readFile(folder.path() + "/split.vtt"), captions);
        EXPECT_EQ(decoded(split, "-map 0:s:0 -f webvtt -"), decoded(one, "-map 0:s:0 -f webvtt -"));
        // Nothing of the parts is left beside the video.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 4);
    }
}

TEST(VideoExport, WithoutFfmpegOrWhenItFailsItSaysWhyAndFails)
{
    TempDir folder;
    const Outcome without = shell("PATH=" + folder.path() + " " + kFilm + " --video " + folder.path() + "/x.mp4 2>&1");
    EXPECT_NE(without.status, 0);
    EXPECT_EQ(without.output.find('\n'), without.output.size() - 1) << without.output;
    EXPECT_NE(without.output.find("ffmpeg"), std::string::npos) << without.output;

    const std::string video = folder.path() + "/no-such-folder/x.mp4";
    const std::string temporary = folder.path() + "/tmp";
    std::filesystem::create_directory(temporary);
    const std::string film = "TMPDIR=" + temporary + " " + kFilm + " --video " + video;
    const Outcome one = shell(film + " --from -2.5 --until -2.4 2>&1");
    EXPECT_NE(one.status, 0);
    EXPECT_NE(one.output.find("ffmpeg failed"), std::string::npos) << one.output;

    // In parts, the failing process says why and the export which frames it lost. The other
    // part, stopped then, left its ffmpeg log behind in the temporary folder.
    const Outcome parts = shell(film + " --from -2.5 --until -2.3 --jobs 2 2>&1");
    EXPECT_NE(parts.status, 0);
    EXPECT_NE(parts.output.find("ffmpeg failed"), std::string::npos) << parts.output;
    EXPECT_NE(parts.output.find("the process drawing frames"), std::string::npos) << parts.output;
    EXPECT_EQ(parts.output.find("wrote"), std::string::npos) << parts.output;
    EXPECT_TRUE(std::filesystem::is_empty(temporary));
}

namespace {
// How many processes have `text` in their command line.
int processesWith(const std::string& text)
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::string words = readFile(entry.path().string() + "/cmdline");
        std::replace(words.begin(), words.end(), '\0', ' ');
        count += words.find(text) != std::string::npos ? 1 : 0;
    }
    return count;
}

}

// Stopped while both parts were drawn, by a signal to the whole group (timeout's, and
// Ctrl-C's) or to the exporting process alone (a service manager's): the parts' processes
// drew on for half a minute, and ffmpeg finished truncated parts that looked complete, left
// beside the video with ffmpeg's logs. Now everything stops, nothing is left, and an earlier
// video of the same name and its captions stay as they were.
TEST(VideoExport, AnExportStoppedHalfWayLeavesNothingBehindAndTheEarlierVideoAsItWas)
{
    struct Stop {
        const char* timeout;
        int signal;
        const char* name;
    };
    for (const Stop& stop : {Stop{"timeout -s INT 600", SIGINT, "SIGINT"},
                             Stop{"timeout --foreground -s TERM 600", SIGTERM, "SIGTERM"}}) {
        SCOPED_TRACE(stop.timeout);
        TempDir folder;
        const std::string temporary = folder.path() + "/tmp";
        std::filesystem::create_directory(temporary);
        const std::string video = folder.write("x.mp4", "the earlier video");
        folder.write("x.vtt", "the earlier captions");
        const std::string command = "exec env TMPDIR=" + temporary + " " + stop.timeout + " " + kFilm + " --video " +
                                    video + " --from 20 --until 40 --fps 10 --jobs 2 2>" + folder.path() + "/errors";
        const pid_t timeout = fork();
        if (timeout == 0) {
            execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        ASSERT_GT(timeout, 0);
        // Both parts' processes have said how far they came ("frames from 225: 10% ...").
        const bool drawing = eventually([&] {
            const std::string errors = readFile(folder.path() + "/errors");
            std::set<std::string> parts;
            for (std::size_t at = errors.find("frames from "); at != std::string::npos;
                 at = errors.find("frames from ", at + 1))
                parts.insert(errors.substr(at, errors.find(':', at) - at));
            return parts.size() == 2;
        }, 300);
        kill(timeout, stop.signal);
        int status = 0;
        waitpid(timeout, &status, 0);
        ASSERT_TRUE(drawing) << readFile(folder.path() + "/errors");

        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 128 + stop.signal);
        const std::string errors = readFile(folder.path() + "/errors");
        EXPECT_NE(errors.find(std::string("drennmoor-film: stopped by ") + stop.name + "; nothing written to " + video +
                              "\n"),
                  std::string::npos) << errors;
        EXPECT_EQ(errors.find("stopped"), errors.rfind("stopped")) << errors;
        EXPECT_EQ(errors.find("wrote"), std::string::npos) << errors;
        EXPECT_TRUE(eventually([&] { return processesWith(folder.path()) == 0; }, 10));
        EXPECT_EQ(readFile(video), "the earlier video");
        EXPECT_EQ(readFile(folder.path() + "/x.vtt"), "the earlier captions");
        std::vector<std::string> left;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path()))
            left.push_back(entry.path().filename().string());
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, (std::vector<std::string>{"errors", "tmp", "x.mp4", "x.vtt"}));
    }
}

// Options that do not fit, and times that are no times of the film: nan and inf wrote the
// lead-in's frame as "frame_     nan.png" and exited 0, 1e12 played the whole film and wrote
// nothing, 250 was dropped without a word, -100 wrote the lead-in's first frame, and a video
// from nan started in the lead-in. Each is refused in one line that names it, and nothing is
// written.
TEST(VideoExport, OptionsAndTimesThatDoNotFitAreRefused)
{
    TempDir folder;
    const std::pair<const char*, const char*> refused[] = {
        {"--from 1", "--from needs"}, {"--video x.mp4 --from 2 --until 1", "--until must"},
        {"--jobs 2", "--jobs needs"}, {"--video x.mp4 --jobs 0", "--jobs: 0"}, {"--codec av1", "--codec needs"},
        {"--video x.mp4 --codec av1 --quality master", "--quality "},
        {"--at nan", ": nan "}, {"--at 100,inf", ": inf "}, {"--at 250", ": 250 "}, {"--at 1e12", ": 1e12 "},
        {"--at -100", ": -100 "}, {"--at -2.6", ": -2.6 "}, {"--video x.mp4 --from nan --until 5", ": nan "},
        {"--video x.mp4 --from 5 --until nan", ": nan "}, {"--video x.mp4 --from -5", ": -5 "},
        {"--video x.mp4 --until inf", ": inf "}};
    for (const auto& [options, named] : refused) {
        const Outcome film = shell(kFilm + " " + options + " --out " + folder.path() + " 2>&1");
        EXPECT_EQ(film.status, 2) << options << "\n" << film.output;
        EXPECT_EQ(std::count(film.output.begin(), film.output.end(), '\n'), 1) << film.output;
        EXPECT_NE(film.output.find(named), std::string::npos) << film.output;
        EXPECT_TRUE(std::filesystem::is_empty(folder.path())) << options;
    }
}
