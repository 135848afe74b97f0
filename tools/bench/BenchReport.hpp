#pragma once

#include <string>
#include <vector>

// The benchmark's figures and the table they are printed as.
class BenchReport {
public:
    // One film frame and the baseline frame that followed it.
    struct Frame {
        int sceneId;                  // the scene that ran in the frame
        bool steady;                  // false on a scene's first frame (look-ups, set-up)
        double milliseconds;          // frame function, display, glFinish
        double baselineMilliseconds;  // the empty frame right after it
        long drawCalls;
        unsigned long long fragments; // fill, in pixels
        unsigned long allocations;    // operator new calls on the main thread
        unsigned long driverAllocations; // those of the OpenGL driver, counted apart
    };

    // Room for `frames` frames, so that adding them does not allocate.
    explicit BenchReport(std::size_t frames);

    void add(const Frame& frame);
    std::size_t size() const { return m_frames.size(); }
    // Notes what the baseline frame itself costs in draw calls and fill.
    void setBaselineCost(long drawCalls, unsigned long long fragments);

    // The whole table: a heading line, the start-up split, one row per scene in the order of
    // play, the baseline, allocations and memory.
    std::vector<std::string> table(int fps, double peakMemoryMiB) const;

    // The start-up and its split alone.
    static std::vector<std::string> startupLines();

private:
    struct SceneRow;

    std::vector<std::string> sceneLines() const;
    std::vector<int> scenesInOrder() const;
    SceneRow sceneRow(int sceneId) const;
    std::string baselineLine() const;

    std::vector<Frame> m_frames;
    long m_baselineDrawCalls = 0;
    unsigned long long m_baselineFragments = 0;
};
