#pragma once

#include "core/FadeOutEnding.hpp"
#include "core/FilmOrder.hpp"
#include "core/Tween.hpp"
#include "scenes/SceneContext.hpp"

// The desk, 16 s: the desk at night; eight seconds in, a letter slides in from the left with
// an overshoot and comes to rest with its left edge at x = -200. Fades in, fades out after
// 14 s and hands over to the workshop.
class DeskScene {
public:
    static constexpr int kId = film::kDesk;
    static constexpr int kNextId = film::nextId(kId);

    explicit DeskScene(SceneContext context = SceneContext());

    // One frame of dt seconds; returns kId, or kNextId from the frame on which the scene ends.
    int frame(float dt);

private:
    void setUp();
    int runStages(float dt);
    void stepSlide(float dt);

    SceneContext m_context;
    bool m_firstEntry = true;
    bool m_waiting = true;  // for the letter
    float m_timer = 0.0f;
    FadeOutEnding m_ending;
    sf::Sprite* m_desk = nullptr;
    sf::Sprite* m_objects = nullptr;
    sf::Sprite* m_letter = nullptr;
    Tween m_slide;
    float m_slideX;
};

// The frame loop's desk scene: one frame of the game's one DeskScene.
int deskScene(float dt);
