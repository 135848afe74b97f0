#pragma once

#include "ChildProcess.hpp"
#include "FilmFrames.hpp"
#include "FilmOptions.hpp"

#include <string>
#include <vector>

// A video's frames drawn by several processes of this program at once: each draws a
// consecutive range into an MP4 of the picture alone (--picture-only) beside the video, and
// a list names them in order for ffmpeg's concat demuxer, which joins them without encoding
// again. Each part is the film's own frames from the same start, so the joined picture is the
// one a single process draws.
class VideoParts {
public:
    // Parts of the video `options.video`, at the rate and quality of `options`.
    VideoParts(const FilmOptions& options, const FilmFrames& frames, int count);
    // Removes the parts and their list, and stops processes still running.
    ~VideoParts();
    VideoParts(const VideoParts&) = delete;
    VideoParts& operator=(const VideoParts&) = delete;

    // Draws the frames [first, end) and waits for every process. False, with one line on
    // standard error, when one could not start or failed (its own lines say why), and
    // without a line after a stop signal; the others are stopped then.
    bool render(long first, long end);
    // The concat demuxer's list of the parts, in order.
    const std::string& list() const { return m_list; }

private:
    bool start(std::size_t part, long first, long end);
    bool writeList() const;
    void stopAll();

    FilmOptions m_options;
    FilmFrames m_frames;
    std::string m_list;
    std::vector<std::string> m_paths;
    std::vector<ChildProcess> m_running;  // one a part
    std::vector<long> m_firsts;    // each part's first frame, and the end after the last
};
