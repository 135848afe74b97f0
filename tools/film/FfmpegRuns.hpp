#pragma once

#include <string>

// The ffmpeg runs of one export: each writes its messages to one temporary file, which is
// removed with this object, and a run that fails is reported with the file's last line.
class FfmpegRuns {
public:
    // Makes the messages' file. False, with one line, when it cannot.
    bool open();
    // The end of a shell command line that sends ffmpeg's messages to the file.
    std::string messagesTo() const;
    // Runs an ffmpeg command line (ending in messagesTo()) to its end: true when it
    // succeeded; false, with one line, when it failed or a stop signal came.
    bool run(const std::string& command) const;
    // True for the wait status of an ffmpeg that succeeded; otherwise false after a line
    // with its exit status and its last message.
    bool succeeded(int status) const;

    // Removes the messages' file; the one file is neither copied nor moved.
    FfmpegRuns() = default;
    ~FfmpegRuns();
    FfmpegRuns(const FfmpegRuns&) = delete;
    FfmpegRuns& operator=(const FfmpegRuns&) = delete;

private:
    std::string lastMessage() const;

    std::string m_path;
};
