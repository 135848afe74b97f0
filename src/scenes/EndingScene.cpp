#include "scenes/EndingScene.hpp"
#include "scenes/SceneRecord.hpp"

#include "core/ScreenFade.hpp"

namespace {
constexpr float kFadeIn = 2.0f;     // seconds
constexpr float kShowTime = 18.0f;  // seconds until the fade to black
constexpr float kFadeOut = 2.0f;    // seconds; then the credits
}

EndingScene::EndingScene(SceneContext context)
    : m_context(context)
    , m_ending(kShowTime, kFadeOut)
{
}

int EndingScene::frame(float dt)
{
    if (m_firstEntry)
        setUp();
    const int next = m_ending.handsOver(dt) ? kNextId : kId;

    m_context.draw(m_background);
    m_context.stepRain(m_rain, dt);
    m_context.draw(m_picture);
    return next;
}

void EndingScene::setUp()
{
    m_firstEntry = false;
    fadeIn(kFadeIn);
    m_picture = m_context.sprite("endgame");
    m_background = m_context.sprite("black");
    m_rain = m_context.startRain();
}

int endingScene(float dt)
{
    EndingScene& scene = sceneRecord<EndingScene>();
    return scene.frame(dt);
}
