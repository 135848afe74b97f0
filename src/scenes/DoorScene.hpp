#pragma once

#include "core/Tween.hpp"
#include "core/FilmOrder.hpp"
#include "scenes/SceneContext.hpp"

// The door, 16 s: a door on a white ground; after 8 s its wings slide apart 408 pixels each,
// and from 10 s the whole screen turns white over 4 s. Fades in from black but not out:
// hands over to the scylla with the screen white.
class DoorScene {
public:
    static constexpr int kId = film::kDoor;
    static constexpr int kNextId = film::nextId(kId);

    explicit DoorScene(SceneContext context = SceneContext());

    // One frame of dt seconds; returns kId, or kNextId from the frame on which the scene ends.
    int frame(float dt);

private:
    void setUp();

    SceneContext m_context;
    bool m_firstEntry = true;
    float m_timer = 0.0f;  // never restarted
    sf::Sprite* m_white = nullptr;
    sf::Sprite* m_frame = nullptr;
    sf::Sprite* m_leftWing = nullptr;
    sf::Sprite* m_rightWing = nullptr;
    Tween m_leftTween;
    Tween m_rightTween;
    Tween m_whiteout;
    float m_leftX = 0.0f;
    float m_rightX = 0.0f;
    float m_leftDrawnX = 0.0f;
    float m_rightDrawnX = 0.0f;
    float m_whiteAlpha = 0.0f;
};

// The frame loop's door scene: one frame of the game's one DoorScene.
int doorScene(float dt);
