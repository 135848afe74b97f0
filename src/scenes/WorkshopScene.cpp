#include "scenes/WorkshopScene.hpp"
#include "scenes/SceneRecord.hpp"

#include "core/ScreenFade.hpp"

#include <SFML/Graphics/Sprite.hpp>

using namespace workshop;

namespace {
constexpr float kFadeIn = 2.0f;           // seconds
constexpr float kWorkTime = 46.0f;        // seconds until the fade to black
constexpr float kFadeOut = 2.0f;          // seconds; then the door
constexpr float kTickInterval = 1.0f;     // seconds between the jumps of hooks, ropes, cogs
constexpr float kBackgroundStartY = -4680.0f;  // the view starts at the workshop floor
constexpr float kCogTurn = 10.0f;         // degrees per tick
constexpr float kCogsGoneBelow = 1920.0f; // a cog group deeper than this is done
constexpr float kLineRebound = 20.0f;     // a hook line flies back up this much faster
constexpr float kLineGoneAbove = -1000.0f;
constexpr float kRopesGoneBelow = 1080.0f;

// The three cogs of a group: scale and offset of each from the group's place; a mirrored
// group puts its smaller cogs to the left.
constexpr float kBigCogScale = 0.5f;
constexpr float kMiddleCogScale = 0.3f;
constexpr float kMiddleCogX = 370.0f;
constexpr float kMiddleCogY = -100.0f;
constexpr float kSmallCogScale = 0.2f;
constexpr float kSmallCogX = 190.0f;
constexpr float kSmallCogY = -275.0f;
}

WorkshopScene::WorkshopScene(SceneContext context)
    : m_context(context)
    , m_ending(kWorkTime, kFadeOut)
    , m_backgroundY(kBackgroundStartY)
{
}

int WorkshopScene::frame(float dt)
{
    if (m_firstEntry)
        setUp();
    const int next = m_ending.handsOver(dt) ? kNextId : kId;
    tick(dt);
    runSchedule(dt);

    m_context.draw(m_backdrop);
    // The rain lies behind the workshop and shows through its windows.
    m_context.stepRain(m_rain, dt);
    m_backgroundY += kSinkSpeed * dt;
    place(m_background, 0.0f, m_backgroundY);
    m_context.draw(m_background);

    for (CogGroup& group : m_cogGroups)
        stepCogGroup(group, dt);
    for (HookLine& line : m_hookLines)
        stepHookLine(line, dt);
    for (SmallRope& rope : m_smallRopes)
        stepSmallRope(rope, dt);
    for (HookRope& rope : m_hookRopes)
        stepHookRope(rope, dt);
    return next;
}

void WorkshopScene::setUp()
{
    m_firstEntry = false;
    m_rain = m_context.startRain();
    fadeIn(kFadeIn);
    m_backdrop = m_context.sprite("black");
    m_background = m_context.sprite("workshop_1");
    build();
}

void WorkshopScene::build()
{
    for (std::size_t i = 0; i < kHookRopes.size(); ++i) {
        m_hookRopes[i].rope = m_context.sprite(kHookRopes[i].rope);
        m_hookRopes[i].hook = m_context.sprite(kHookRopes[i].hook);
        m_hookRopes[i].path = kHookRopes[i].path;
    }
    for (std::size_t i = 0; i < kSmallRopes.size(); ++i) {
        m_smallRopes[i].sprite = m_context.sprite(kSmallRopes[i].sprite);
        m_smallRopes[i].x = kSmallRopes[i].x;
        m_smallRopes[i].leftwards = kSmallRopes[i].leftwards;
    }
    for (std::size_t i = 0; i < kCogGroups.size(); ++i) {
        m_cogGroups[i].sprite = m_context.sprite("cog1");
        m_cogGroups[i].x = kCogGroups[i].x;
        m_cogGroups[i].mirrored = kCogGroups[i].mirrored;
    }
    for (std::size_t i = 0; i < kHookLineX.size(); ++i) {
        m_hookLines[i].sprite = m_context.sprite("hookline");
        m_hookLines[i].x = kHookLineX[i];
    }
}

void WorkshopScene::tick(float dt)
{
    // One shared tick for every active object, whenever it came in.
    m_tickTimer += dt;
    if (m_tickTimer <= kTickInterval)
        return;
    m_tickTimer = 0.0f;
    for (HookRope& rope : m_hookRopes) {
        if (rope.active && rope.hookDelay <= 0.0f)
            ++rope.pathIndex;
    }
    for (SmallRope& rope : m_smallRopes) {
        if (rope.active)
            rope.x += rope.leftwards ? -rope.step : rope.step;
    }
    for (CogGroup& group : m_cogGroups) {
        if (group.active) {
            group.turnA += kCogTurn;
            group.turnB -= kCogTurn;
        }
    }
}

void WorkshopScene::runSchedule(float dt)
{
    m_scheduleClock += dt;
    if (m_scheduleStep >= kSchedule.size())
        return;
    const ScheduleStep& step = kSchedule[m_scheduleStep];
    if (m_scheduleClock <= step.after)
        return;
    activate(step);
    ++m_scheduleStep;
}

void WorkshopScene::activate(const ScheduleStep& step)
{
    switch (step.entry) {
    case Entry::HookRope: m_hookRopes[step.index].active = true; break;
    case Entry::SmallRope: m_smallRopes[step.index].active = true; break;
    case Entry::CogGroup: m_cogGroups[step.index].active = true; break;
    case Entry::HookLine: m_hookLines[step.index].active = true; break;
    case Entry::Nothing: break;
    }
}

void WorkshopScene::stepCogGroup(CogGroup& group, float dt)
{
    if (!group.active)
        return;
    group.y += group.speed * dt;
    if (group.y > kCogsGoneBelow)
        group.active = false;
    if (!group.active || group.sprite == nullptr)
        return;
    const float side = group.mirrored ? -1.0f : 1.0f;
    drawCog(*group.sprite, group.turnA, kBigCogScale, group.x, group.y);
    drawCog(*group.sprite, group.turnB, kMiddleCogScale, group.x + side * kMiddleCogX,
            group.y + kMiddleCogY);
    drawCog(*group.sprite, group.turnA, kSmallCogScale, group.x + side * kSmallCogX,
            group.y + kSmallCogY);
}

void WorkshopScene::drawCog(sf::Sprite& sprite, float turn, float scale, float x, float y)
{
    sprite.setRotation(turn);
    sprite.setScale(scale, scale);
    sprite.setPosition(x, y);
    m_context.draw(&sprite);
}

void WorkshopScene::stepHookLine(HookLine& line, float dt)
{
    if (!line.active)
        return;
    line.y += line.speed * dt;
    if (line.y >= 0.0f) {
        // Down at the top of the picture: shown there, then back up twenty times faster.
        line.y = 0.0f;
        line.speed = -(line.speed * kLineRebound);
    } else if (line.y < kLineGoneAbove) {
        line.active = false;
        return;
    }
    place(line.sprite, line.x, line.y);
    m_context.draw(line.sprite);
}

void WorkshopScene::stepSmallRope(SmallRope& rope, float dt)
{
    if (!rope.active)
        return;
    rope.y += rope.speed * dt;
    if (rope.y > kRopesGoneBelow) {
        rope.active = false;
        return;
    }
    place(rope.sprite, rope.x, rope.y);
    m_context.draw(rope.sprite);
}

void WorkshopScene::stepHookRope(HookRope& rope, float dt)
{
    if (!rope.active)
        return;
    rope.hookDelay -= dt;
    rope.y += rope.speed * dt;
    if (rope.y > kRopesGoneBelow) {
        rope.active = false;
        return;
    }
    place(rope.rope, 0.0f, rope.y);
    // The hook shows after its delay until it has passed the cable's last point; the rope
    // is drawn over it.
    if (rope.hookDelay <= 0.0f && rope.pathIndex < rope.path->size()) {
        const Point& at = (*rope.path)[rope.pathIndex];
        place(rope.hook, at.x, at.y + rope.y);
        m_context.draw(rope.hook);
    }
    m_context.draw(rope.rope);
}

int workshopScene(float dt)
{
    WorkshopScene& scene = sceneRecord<WorkshopScene>();
    return scene.frame(dt);
}
