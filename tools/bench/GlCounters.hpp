#pragma once

// What one frame asked of OpenGL. The benchmark executable defines glDrawArrays and
// glDrawElements itself (it is linked with exported symbols, so SFML's calls reach these
// first); each counts the call and passes it on to the driver's function unchanged, telling
// the allocation counter that what allocates meanwhile is the driver.
class GlCounters {
public:
    // Draw calls since the last reset.
    static long drawCalls();
    static void reset();

    // The fill of the frames between begin and end: every fragment rasterised into any
    // target of the current OpenGL context, transparent or not, as counted by a
    // GL_SAMPLES_PASSED occlusion query (nothing here has a depth or stencil test, so no
    // fragment is rejected). Pixels outside a target are never rasterised, so the count is
    // the area drawn, clipped to the picture. False when the driver has no occlusion queries.
    static bool startFill();
    static void beginFill();
    // Fragments since beginFill; waits for the frame to finish on the GPU.
    static unsigned long long endFill();
};
