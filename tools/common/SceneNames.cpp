#include "SceneNames.hpp"

const char* sceneName(int sceneId, const char* other)
{
    switch (sceneId) {
    case -1: return "lead-in";
    case 0: return "opening";
    case 1: return "walk";
    case 25: return "desk";
    case 2: return "workshop";
    case 35: return "door";
    case 3: return "scylla";
    case 4: return "cog";
    case 5: return "ending";
    case 6: return "credits";
    case 666: return "quit";
    default: return other;
    }
}
