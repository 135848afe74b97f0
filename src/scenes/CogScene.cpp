#include "scenes/CogScene.hpp"
#include "scenes/SceneRecord.hpp"

#include "core/ScreenFade.hpp"

#include <SFML/Graphics/Sprite.hpp>

namespace {
constexpr float kFadeIn = 2.0f;      // seconds
constexpr float kTurnTime = 14.0f;   // seconds until the fade to black
constexpr float kFadeOut = 2.0f;     // seconds; then the ending
constexpr float kTurnSpeed = 20.0f;  // degrees per second
constexpr float kCogX = 600.0f;      // the cog's centre, pixels
constexpr float kCogY = 540.0f;
constexpr float kHookX = 1200.0f;    // the hook's top-left corner, pixels
constexpr float kHookY = -80.0f;
}

CogScene::CogScene(SceneContext context)
    : m_context(context)
    , m_ending(kTurnTime, kFadeOut)
{
}

int CogScene::frame(float dt)
{
    if (m_firstEntry)
        setUp();
    const int next = m_ending.handsOver(dt) ? kNextId : kId;

    m_cogAngle += kTurnSpeed * dt;
    if (m_cog != nullptr)
        m_cog->setRotation(m_cogAngle);

    tint(m_white, 1.0f);
    m_context.draw(m_white);
    m_context.draw(m_cog);
    m_context.draw(m_hook);
    return next;
}

void CogScene::setUp()
{
    m_firstEntry = false;
    fadeIn(kFadeIn);
    // The workshop left this shared cog small and elsewhere: full size here.
    m_cog = m_context.sprite("cog1");
    if (m_cog != nullptr)
        m_cog->setScale(1.0f, 1.0f);
    place(m_cog, kCogX, kCogY);
    m_white = m_context.sprite("white");
    m_hook = m_context.sprite("hook_0");
    place(m_hook, kHookX, kHookY);
}

int cogScene(float dt)
{
    CogScene& scene = sceneRecord<CogScene>();
    return scene.frame(dt);
}
