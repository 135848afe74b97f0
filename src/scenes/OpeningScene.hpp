#pragma once

#include "core/Tween.hpp"
#include "scenes/BlinkPair.hpp"
#include "core/FilmOrder.hpp"
#include "scenes/SceneContext.hpp"

#include <string>

// The opening, 32 s: starts the song and the poem, shows the makers' mark and the title over the
// first close-up, then the second close-up, the house and the third close-up, each with its
// flicker, all in the rain, and fades to black. Hands over to the walk.
class OpeningScene {
public:
    static constexpr int kId = film::kOpening;
    static constexpr int kNextId = film::nextId(kId);

    // The four pictures, each a slot of m_pictures; they show in the order first, second,
    // house, third.
    enum Picture : int { FirstCloseUp = 0, SecondCloseUp = 1, ThirdCloseUp = 2, House = 3 };

    explicit OpeningScene(SceneContext context = SceneContext());

    // One frame of dt seconds; returns kId, or kNextId from the frame on which the scene ends.
    int frame(float dt);

private:
    void setUp();
    // Frame 0 is "<stem>_0", the blink frame "<stem>_1".
    void fetchPair(Picture picture, const std::string& stem);
    int runStages(float dt);
    void leaveStage(int stage);
    void drawShownPicture(float dt);
    void drawFading(sf::Sprite* sprite, Tween& tween, float& alpha, float dt);

    SceneContext m_context;
    bool m_firstEntry = true;
    int m_stage = 0;
    float m_timer = 0.0f;
    int m_shown = FirstCloseUp;
    BlinkPair m_pictures[4];
    sf::Sprite* m_drift = nullptr;
    float m_driftX = 0.0f;
    sf::Sprite* m_logo = nullptr;
    sf::Sprite* m_title = nullptr;
    sf::Sprite* m_background = nullptr;
    ParticleSystem* m_rain = nullptr;
    Tween m_logoTween;
    Tween m_titleTween;
    float m_logoAlpha = 0.0f;
    float m_titleAlpha = 0.0f;
};

// The frame loop's opening scene: one frame of the game's one OpeningScene.
int openingScene(float dt);
