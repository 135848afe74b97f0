#pragma once

#include "core/Tween.hpp"
#include "scenes/SceneContext.hpp"

// Scene 25, 16 s: the desk at night; eight seconds in, a letter slides in from the left with
// an overshoot and comes to rest with its left edge at x = -200. Fades in, fades out after
// 14 s and hands over to the workshop (id 2).
class DeskScene {
public:
    static constexpr int kId = 25;
    static constexpr int kNextId = 2;

    explicit DeskScene(SceneContext context = SceneContext());

    // One frame of dt seconds; returns 25, or 2 from the frame on which the scene ends.
    int frame(float dt);

private:
    void setUp();
    int runStages(float dt);
    void stepSlide(float dt);

    SceneContext m_context;
    bool m_firstEntry = true;
    int m_stage = 0;
    float m_timer = 0.0f;
    sf::Sprite* m_desk = nullptr;
    sf::Sprite* m_objects = nullptr;
    sf::Sprite* m_letter = nullptr;
    Tween m_slide;
    float m_slideX;
};

// The frame loop's desk scene: one frame of the game's one DeskScene.
int deskScene(float dt);
