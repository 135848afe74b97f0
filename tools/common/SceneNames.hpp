#pragma once

// The name the tools print for a scene id of the film ("lead-in" for -1, "desk" for 25,
// "quit" for 666), or `other` for an id the film does not have.
const char* sceneName(int sceneId, const char* other);
