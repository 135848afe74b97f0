#include "scenes/ScyllaScene.hpp"
#include "scenes/SceneRecord.hpp"

#include "core/ScreenFade.hpp"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kSeaTime = 14.0f;       // seconds until the fade to black
constexpr float kFadeOut = 2.0f;        // seconds; then the cog
constexpr float kFlashFade = 1.0f;      // opacity lost per second by the white flash
constexpr float kLayer1StartY = -840.0f;
constexpr float kLayer2StartY = -564.0f;
constexpr float kLayer1Speed = 40.0f;   // pixels per second downwards
constexpr float kLayer2Speed = 50.0f;
constexpr float kLayersStopAt = 0.0f;   // neither layer goes lower
// The spray's opacity: a sine of this frame's time (not of the scene's), so it stays close
// to 0.6 and changes only with the frame time.
constexpr float kSprayBase = 0.6f;
constexpr float kSprayWave = 0.2f;
}

ScyllaScene::ScyllaScene(SceneContext context)
    : m_context(context)
    , m_ending(kSeaTime, kFadeOut)
    , m_flashAlpha(1.0f)
    , m_layer1Y(kLayer1StartY)
    , m_layer2Y(kLayer2StartY)
{
}

int ScyllaScene::frame(float dt)
{
    if (m_firstEntry)
        setUp();
    m_flashAlpha = std::max(m_flashAlpha - kFlashFade * dt, 0.0f);
    const int next = m_ending.handsOver(dt) ? kNextId : kId;

    m_context.draw(m_sea);
    // Placed with last frame's heights, then moved on.
    place(m_farHeads, 0.0f, m_layer1Y);
    place(m_nearHeads, 0.0f, m_layer2Y);
    m_layer2Y = std::min(m_layer2Y + kLayer2Speed * dt, kLayersStopAt);
    m_layer1Y = std::min(m_layer1Y + kLayer1Speed * dt, kLayersStopAt);
    m_context.draw(m_farHeads);
    m_context.draw(m_nearHeads);

    tint(m_spray, std::sin(dt) * kSprayWave + kSprayBase);
    m_context.draw(m_spray);
    tint(m_white, m_flashAlpha);
    m_context.draw(m_white);
    return next;
}

void ScyllaScene::setUp()
{
    m_firstEntry = false;
    m_white = m_context.sprite("white");
    m_sea = m_context.sprite("scylla_0");
    m_farHeads = m_context.sprite("scylla_1");
    m_nearHeads = m_context.sprite("scylla_2");
    m_spray = m_context.sprite("scylla_3");
}

int scyllaScene(float dt)
{
    ScyllaScene& scene = sceneRecord<ScyllaScene>();
    return scene.frame(dt);
}
