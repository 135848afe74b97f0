#include "scenes/WalkScene.hpp"
#include "scenes/SceneRecord.hpp"

#include "core/ScreenFade.hpp"

#include <SFML/Graphics/Sprite.hpp>

#include <string>

namespace {
constexpr float kFadeIn = 2.0f;     // seconds
constexpr float kWalkTime = 14.0f;  // seconds until the fade to black
constexpr float kFadeOut = 2.0f;    // seconds; then the desk
constexpr float kWalkFrameTime = 0.25f;  // seconds per frame of the walk cycle
constexpr float kRiseSpeed = 10.0f;      // pixels per second upwards, "towerwalk_1"

// The six figures, far ones first: two behind the middle hills, four in front of them.
// Scale, then the top-left corner in pixels.
struct FigurePlace {
    float scale;
    float x;
    float y;
};
constexpr std::array<FigurePlace, 2> kFarFigures = {{
    {0.2f, 885.0f, 600.0f},
    {0.1f, 950.0f, 680.0f},
}};
constexpr std::array<FigurePlace, 4> kNearFigures = {{
    {1.2f, -100.0f, 238.0f},
    {0.8f, 240.0f, 275.0f},
    {0.6f, 520.0f, 340.0f},
    {0.4f, 720.0f, 446.0f},
}};
}

WalkScene::WalkScene(SceneContext context)
    : m_context(context)
    , m_ending(kWalkTime, kFadeOut)
{
}

int WalkScene::frame(float dt)
{
    if (m_firstEntry)
        setUp();
    const int next = m_ending.handsOver(dt) ? kNextId : kId;

    m_risingY -= kRiseSpeed * dt;
    place(m_layers[1], 0.0f, m_risingY);
    m_context.draw(m_layers[0]);
    m_context.draw(m_layers[1]);

    stepWalk(dt);
    for (const FigurePlace& figure : kFarFigures)
        drawFigure(figure.scale, figure.x, figure.y);
    m_context.draw(m_layers[2]);
    m_context.draw(m_layers[3]);
    for (const FigurePlace& figure : kNearFigures)
        drawFigure(figure.scale, figure.x, figure.y);

    // The rain falls in front of everything.
    m_context.stepRain(m_rain, dt);
    return next;
}

void WalkScene::setUp()
{
    m_firstEntry = false;
    m_rain = m_context.startRain();
    fadeIn(kFadeIn);
    for (std::size_t i = 0; i < m_walkFrames.size(); ++i)
        m_walkFrames[i] = m_context.sprite("walk_" + std::to_string(i));
    m_frameTime = kWalkFrameTime;
    m_frameIndex = 0;
    for (std::size_t i = 0; i < m_layers.size(); ++i)
        m_layers[i] = m_context.sprite("towerwalk_" + std::to_string(i));
}

void WalkScene::stepWalk(float dt)
{
    // The countdown starts at 0, so the very first frame already shows "walk_1"; a long
    // frame moves the walk on by one frame only.
    m_frameCountdown -= dt;
    if (m_frameCountdown > 0.0f)
        return;
    m_frameIndex = m_frameIndex + 1 == m_walkFrames.size() ? 0 : m_frameIndex + 1;
    m_frameCountdown = m_frameTime;
}

void WalkScene::drawFigure(float scale, float x, float y)
{
    // Every walk frame takes the figure's size and place, so they all stand where the last
    // figure left them.
    for (sf::Sprite* walkFrame : m_walkFrames) {
        if (walkFrame != nullptr)
            walkFrame->setScale(scale, scale);
    }
    for (sf::Sprite* walkFrame : m_walkFrames)
        place(walkFrame, x, y);
    m_context.draw(m_walkFrames[m_frameIndex]);
}

int walkScene(float dt)
{
    WalkScene& scene = sceneRecord<WalkScene>();
    return scene.frame(dt);
}
