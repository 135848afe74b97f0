#include "scenes/SceneTable.hpp"

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

namespace {
struct SceneEntry {
    int id;
    SceneFunction function;
};

// In the order of play.
constexpr std::array<SceneEntry, 8> kScenes = {{
    {OpeningScene::kId, openingScene},
    {WalkScene::kId, walkScene},
    {DeskScene::kId, deskScene},
    {WorkshopScene::kId, workshopScene},
    {DoorScene::kId, doorScene},
    {ScyllaScene::kId, scyllaScene},
    {CogScene::kId, cogScene},
    {EndingScene::kId, endingScene},
}};
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
    sceneRecord<OpeningScene>() = OpeningScene();
    sceneRecord<WalkScene>() = WalkScene();
    sceneRecord<DeskScene>() = DeskScene();
    sceneRecord<WorkshopScene>() = WorkshopScene();
    sceneRecord<DoorScene>() = DoorScene();
    sceneRecord<ScyllaScene>() = ScyllaScene();
    sceneRecord<CogScene>() = CogScene();
    sceneRecord<EndingScene>() = EndingScene();
}
