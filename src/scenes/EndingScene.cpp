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
{
}

int EndingScene::frame(float dt)
{
    if (m_firstEntry)
        setUp();
    const int next = runStages(dt);

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
    m_rain = m_context.rain();
}

int EndingScene::runStages(float dt)
{
    m_timer += dt;
    if (m_stage == 0 && m_timer > kShowTime) {
        m_timer = 0.0f;
        m_stage = 1;
        fadeOut(kFadeOut);
    } else if (m_stage == 1 && m_timer > kFadeOut) {
        return kNextId;
    }
    return kId;
}

int endingScene(float dt)
{
    EndingScene& scene = sceneRecord<EndingScene>();
    return scene.frame(dt);
}
