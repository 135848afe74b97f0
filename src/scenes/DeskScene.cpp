#include "scenes/DeskScene.hpp"
#include "scenes/SceneRecord.hpp"

#include "core/Easing.hpp"
#include "core/ScreenFade.hpp"

namespace {
constexpr float kFadeIn = 2.0f;        // seconds
constexpr float kSlideWait = 8.0f;     // seconds until the letter slides in (T 8)
constexpr float kSlideShown = 6.0f;    // seconds until the fade to black (T 14)
constexpr float kFadeOut = 2.0f;       // seconds; then the workshop (T 16)
constexpr float kSlideFrom = -1920.0f; // x of the letter, pixels: outside the picture
constexpr float kSlideTo = -200.0f;    // where it rests
constexpr float kSlideTime = 4.0f;     // seconds, back-out: it overshoots to the right first
}

DeskScene::DeskScene(SceneContext context)
    : m_context(context)
    , m_ending(kSlideShown, kFadeOut)
    , m_slideX(kSlideFrom)
{
}

int DeskScene::frame(float dt)
{
    if (m_firstEntry)
        setUp();
    const int next = runStages(dt);

    m_context.draw(m_desk);
    m_context.draw(m_objects);
    stepSlide(dt);
    place(m_letter, m_slideX, 0.0f);
    m_context.draw(m_letter);
    return next;
}

void DeskScene::setUp()
{
    m_firstEntry = false;
    fadeIn(kFadeIn);
    m_desk = m_context.sprite("desk_1");
    m_objects = m_context.sprite("desk_2");
    m_letter = m_context.sprite("desk_3");
    m_slide.set(kSlideFrom, kSlideTo, kSlideTime, BackOut, 0.0f);
}

int DeskScene::runStages(float dt)
{
    // The wait for the letter is the first stage; the ending's two follow, timed from the
    // frame after it.
    if (!m_waiting)
        return m_ending.handsOver(dt) ? kNextId : kId;
    m_timer += dt;
    if (m_timer > kSlideWait) {
        m_waiting = false;
        m_slide.play();
    }
    return kId;
}

void DeskScene::stepSlide(float dt)
{
    // Evaluate, then advance: the slide shows x = -1920 on the frame it starts and reaches
    // every value one frame later than an advance-then-evaluate tween would.
    if (!m_slide.active)
        return;
    m_slideX = m_slide.evaluate();
    if (m_slide.active)
        m_slide.advance(dt);
}

int deskScene(float dt)
{
    DeskScene& scene = sceneRecord<DeskScene>();
    return scene.frame(dt);
}
