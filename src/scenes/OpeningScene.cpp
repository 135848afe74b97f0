#include "scenes/OpeningScene.hpp"
#include "scenes/SceneRecord.hpp"

#include "assets/MusicManager.hpp"
#include "core/Easing.hpp"
#include "core/ScreenFade.hpp"
#include "scenes/RequiredKeys.hpp"
#include "scenes/TextScript.hpp"

#include <SFML/Graphics/Sprite.hpp>

#include <array>

namespace {
// How long each stage lasts, in seconds; the timer restarts at every change. The comment
// gives what happens when the stage ends, at T seconds after the scene's first frame.
constexpr std::array<float, 9> kStageLengths = {
    1.0f,  // the logo fades in (T 1)
    5.0f,  // the logo fades out (T 6)
    2.0f,  // the title fades in (T 8)
    5.0f,  // the title fades out (T 13)
    3.0f,  // the second close-up (T 16)
    5.0f,  // the house (T 21)
    5.0f,  // the third close-up with its drifting veil (T 26)
    4.0f,  // fade to black (T 30)
    2.0f,  // hand over to the walk (T 32)
};
constexpr int kLastStage = static_cast<int>(kStageLengths.size()) - 1;

constexpr float kLogoFade = 2.0f;   // seconds
constexpr float kTitleFade = 0.5f;  // seconds
constexpr float kFadeOut = 2.0f;    // seconds
constexpr float kLogoScale = 0.6f;
const sf::Vector2f kLogoOrigin(960.0f, 540.0f);
const sf::Vector2f kLogoPosition(992.0f, 565.0f);
const sf::Vector2f kTitleOrigin(960.0f, 540.0f);
const sf::Vector2f kTitlePosition(960.0f, 540.0f);
constexpr float kDriftSpeed = 50.0f;  // pixels per second to the right
}

OpeningScene::OpeningScene(SceneContext context)
    : m_context(context)
{
}

int OpeningScene::frame(float dt)
{
    if (m_firstEntry)
        setUp();
    const int next = runStages(dt);

    m_context.draw(m_background);
    m_context.stepRain(m_rain, dt);
    drawShownPicture(dt);
    drawFading(m_logo, m_logoTween, m_logoAlpha, dt);
    drawFading(m_title, m_titleTween, m_titleAlpha, dt);
    return next;
}

void OpeningScene::setUp()
{
    m_firstEntry = false;
    // The song and the poem's clock start on this same frame.
    MusicManager::instance().playSong(kSongKey, true, 0);
    textStartFlag() = true;

    m_drift = m_context.sprite("closeup_3");
    m_rain = m_context.startRain();
    fetchPair(FirstCloseUp, "closeup1");
    fetchPair(ThirdCloseUp, "closeup");
    fetchPair(SecondCloseUp, "closeup2");
    fetchPair(House, "house");
    m_logo = m_context.sprite("zelt");
    m_title = m_context.sprite("drennmoor");
    m_background = m_context.sprite("black");

    if (m_logo != nullptr) {
        m_logo->setScale(kLogoScale, kLogoScale);
        m_logo->setOrigin(kLogoOrigin);
        m_logo->setPosition(kLogoPosition);
    }
    if (m_title != nullptr) {
        m_title->setOrigin(kTitleOrigin);
        m_title->setPosition(kTitlePosition);
    }
    // Loaded now, played by the stages.
    m_logoTween.set(0.0f, 1.0f, kLogoFade, Linear, 0.0f);
    m_titleTween.set(0.0f, 1.0f, kTitleFade, Linear, 0.0f);
}

void OpeningScene::fetchPair(Picture picture, const std::string& stem)
{
    sf::Sprite* blink = m_context.sprite(stem + "_1");
    m_pictures[picture].setFrames(m_context.sprite(stem + "_0"), blink);
}

int OpeningScene::runStages(float dt)
{
    m_timer += dt;
    if (m_timer <= kStageLengths[m_stage])
        return kId;
    if (m_stage == kLastStage)
        return kNextId;
    m_timer = 0.0f;
    leaveStage(m_stage);
    ++m_stage;
    return kId;
}

void OpeningScene::leaveStage(int stage)
{
    switch (stage) {
    case 0: m_logoTween.play(); break;
    case 1: m_logoTween.start(1.0f, 0.0f, kLogoFade, Linear, 0.0f); break;
    case 2: m_titleTween.play(); break;
    case 3: m_titleTween.start(1.0f, 0.0f, kTitleFade, Linear, 0.0f); break;
    case 4: m_shown = SecondCloseUp; break;
    case 5: m_shown = House; break;
    case 6: m_shown = ThirdCloseUp; break;
    case 7: fadeOut(kFadeOut); break;
    default: break;
    }
}

void OpeningScene::drawShownPicture(float dt)
{
    BlinkPair& picture = m_pictures[m_shown];
    m_context.draw(picture.frame(picture.step(dt)));
    if (m_shown != ThirdCloseUp)
        return;
    // The veil drifts only while the third close-up shows; it is never wrapped.
    m_driftX += kDriftSpeed * dt;
    place(m_drift, m_driftX, 0.0f);
    m_context.draw(m_drift);
}

void OpeningScene::drawFading(sf::Sprite* sprite, Tween& tween, float& alpha, float dt)
{
    if (tween.active) {
        tween.update(dt);
        alpha = tween.current;
    }
    // Drawn every frame, also when fully transparent.
    tint(sprite, alpha);
    m_context.draw(sprite);
}

int openingScene(float dt)
{
    OpeningScene& scene = sceneRecord<OpeningScene>();
    return scene.frame(dt);
}
