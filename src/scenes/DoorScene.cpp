#include "scenes/DoorScene.hpp"
#include "scenes/SceneRecord.hpp"

#include "core/Easing.hpp"
#include "core/ScreenFade.hpp"

namespace {
constexpr float kFadeIn = 2.0f;       // seconds
constexpr float kLength = 16.0f;      // seconds; then the scylla
constexpr float kWingTravel = 408.0f; // pixels each wing slides outwards
constexpr float kWingTime = 8.0f;     // seconds of sliding, sine-out
constexpr float kWingDelay = 8.0f;    // seconds before the wings move
constexpr float kWhiteoutTime = 4.0f; // seconds, linear
constexpr float kWhiteoutDelay = 10.0f;
}

DoorScene::DoorScene(SceneContext context)
    : m_context(context)
{
}

int DoorScene::frame(float dt)
{
    if (m_firstEntry)
        setUp();
    m_timer += dt;
    const int next = m_timer > kLength ? kNextId : kId;

    // The wings are placed before their tweens move on, so they show last frame's values.
    m_leftDrawnX = m_leftX;
    m_rightDrawnX = m_rightX;
    place(m_leftWing, m_leftX, 0.0f);
    place(m_rightWing, m_rightX, 0.0f);
    for (Tween* tween : {&m_leftTween, &m_rightTween, &m_whiteout}) {
        if (tween->active)
            tween->advance(dt);
    }
    if (m_leftTween.active)
        m_leftX = m_leftTween.evaluate();
    if (m_rightTween.active)
        m_rightX = m_rightTween.evaluate();

    tint(m_white, 1.0f);
    m_context.draw(m_white);
    m_context.draw(m_frame);
    m_context.draw(m_leftWing);
    m_context.draw(m_rightWing);

    // The white cover over everything; it stays opaque on the shared sprite afterwards.
    if (m_whiteout.active)
        m_whiteAlpha = m_whiteout.evaluate();
    tint(m_white, m_whiteAlpha);
    m_context.draw(m_white);
    return next;
}

void DoorScene::setUp()
{
    m_firstEntry = false;
    m_white = m_context.sprite("white");
    fadeIn(kFadeIn);
    m_frame = m_context.sprite("door_0");
    m_leftWing = m_context.sprite("door_1");
    m_rightWing = m_context.sprite("door_2");
    m_leftTween.start(0.0f, -kWingTravel, kWingTime, SineOut, kWingDelay);
    m_rightTween.start(0.0f, kWingTravel, kWingTime, SineOut, kWingDelay);
    m_whiteout.start(0.0f, 1.0f, kWhiteoutTime, Linear, kWhiteoutDelay);
}

int doorScene(float dt)
{
    DoorScene& scene = sceneRecord<DoorScene>();
    return scene.frame(dt);
}
