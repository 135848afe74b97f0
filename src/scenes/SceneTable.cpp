#include "scenes/SceneTable.hpp"

SceneFunction sceneFunction(int /*sceneId*/)
{
    return nullptr;
}
