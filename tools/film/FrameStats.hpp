#pragma once

#include <map>
#include <string>
#include <vector>

// How long the frames of each scene took, and what the process used at most.
class FrameStats {
public:
    // The id that undrawn frames are counted under, whatever their scene.
    static constexpr int kUndrawn = -1000;

    // One frame of scene `sceneId` took `milliseconds` (frame function and GPU finished).
    void add(int sceneId, double milliseconds);
    // One line per scene in the order of play (drawn frames): name, id, median ms per frame,
    // frame count; then one line for all the undrawn frames.
    std::vector<std::string> summary() const;

private:
    std::map<int, std::vector<double>> m_times;
    std::vector<int> m_order;  // scene ids as they were first seen
};
