#include "scenes/SceneTable.hpp"

#include "core/FilmOrder.hpp"

#include "scenes/CogScene.hpp"
#include "scenes/DeskScene.hpp"
#include "scenes/DoorScene.hpp"
#include "scenes/EndingScene.hpp"
#include "scenes/OpeningScene.hpp"
#include "scenes/SceneRecord.hpp"
#include "scenes/ScyllaScene.hpp"
#include "scenes/WalkScene.hpp"
#include "scenes/WorkshopScene.hpp"

#include <array>
#include <cstddef>

namespace {
struct SceneEntry {
    int id;
    SceneFunction function;
    void (*restart)();  // puts the scene's record back as it was made
};

template <typename Scene>
void restartRecord()
{
    sceneRecord<Scene>() = Scene();
}

template <typename Scene, SceneFunction function>
constexpr SceneEntry entry()
{
    return {Scene::kId, function, restartRecord<Scene>};
}

// Every scene of the film in the order of play, each known by its own kId: adding a scene
// means a row here and one in film::kOrder (its name and start).
constexpr std::array<SceneEntry, 8> kScenes = {{
    entry<OpeningScene, openingScene>(),
    entry<WalkScene, walkScene>(),
    entry<DeskScene, deskScene>(),
    entry<WorkshopScene, workshopScene>(),
    entry<DoorScene, doorScene>(),
    entry<ScyllaScene, scyllaScene>(),
    entry<CogScene, cogScene>(),
    entry<EndingScene, endingScene>(),
}};

// The scenes play in the order of play: between the frame loop's lead-in and its credits.
constexpr bool inTheOrderOfPlay()
{
    if (kScenes.size() + 3 != film::kOrder.size())
        return false;
    for (std::size_t i = 0; i < kScenes.size(); ++i)
        if (kScenes[i].id != film::kOrder[i + 1].id)
            return false;
    return true;
}
static_assert(inTheOrderOfPlay(), "kScenes and film::kOrder list the scenes differently");
}

SceneFunction sceneFunction(int sceneId)
{
    for (const SceneEntry& entry : kScenes) {
        if (entry.id == sceneId)
            return entry.function;
    }
    return nullptr;
}

void restartSceneRecords()
{
    for (const SceneEntry& entry : kScenes)
        entry.restart();
}
