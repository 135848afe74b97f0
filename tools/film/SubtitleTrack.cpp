#include "SubtitleTrack.hpp"

#include "ShellWord.hpp"

std::string subtitleTrackCommand(const std::string& video, const std::string& subtitles, const std::string& output)
{
    return "ffmpeg -hide_banner -loglevel error -nostdin -y -i " + shellWord(video) + " -f webvtt -i " +
           shellWord(subtitles) + " -map 0 -map 1:s -c copy -c:s mov_text -metadata:s:s:0 language=eng" +
           " -movflags +faststart -f mp4 " + shellWord(output);
}
