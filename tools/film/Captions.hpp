#pragma once

#include <string>
#include <vector>

class TextSystem;

// The poem's captions as the film shows them, read from the poem's own letters frame by
// frame: one cue per line or word list, from the first frame on which one of its letters
// shows to the first frame on which none does.
class Captions {
public:
    // Watches the plays of `poem` (null: there are no captions) for a video whose first frame
    // is `firstFrame` at `fps` frames a second.
    Captions(const TextSystem* poem, int fps, long firstFrame);

    // After frame `frame` of the video was played, drawn or not.
    void observe(long frame);
    // Ends the cues still shown when the video ends before `endFrame`.
    void close(long endFrame);

    // WebVTT: every cue in the order they start, placed at the play's height.
    std::string webVtt() const;
    // The same words for a track that shows one caption at a time (an MP4 subtitle track):
    // every stretch between two cue boundaries holds the lines shown then, top first.
    std::string singleTrackVtt() const;
    std::size_t size() const { return m_cues.size(); }

private:
    struct Cue {
        long start;  // frames of the video
        long end;    // one past its last frame
        float y;     // pixels
        std::string text;
    };
    bool shows(std::size_t instance) const;
    std::string timestamp(long frame) const;

    const TextSystem* m_poem;
    int m_fps;
    long m_first;
    std::vector<Cue> m_cues;
    std::vector<long> m_open;  // per instance of the poem's pool: its open cue, or -1
};
