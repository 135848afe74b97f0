#pragma once

#include "core/FadeOutEnding.hpp"
#include "core/FilmOrder.hpp"
#include "scenes/SceneContext.hpp"
#include "scenes/WorkshopSchedule.hpp"

// The workshop, 48 s: the tall workshop picture scrolls down behind the rain while machinery
// enters on a fixed schedule (WorkshopSchedule.hpp) and sinks with it: hook ropes whose hooks
// step along their cables, small ropes and cogs that jump once a second, hook lines that drop
// and snap back up. Fades in, fades out after 46 s and hands over to the door.
class WorkshopScene {
public:
    static constexpr int kId = film::kWorkshop;
    static constexpr int kNextId = film::nextId(kId);

    explicit WorkshopScene(SceneContext context = SceneContext());

    // One frame of dt seconds; returns kId, or kNextId from the frame on which the scene ends.
    int frame(float dt);

private:
    void setUp();
    void build();
    void tick(float dt);
    void runSchedule(float dt);
    void activate(const workshop::ScheduleStep& step);
    void stepCogGroup(workshop::CogGroup& group, float dt);
    void drawCog(sf::Sprite& sprite, float turn, float scale, float x, float y);
    void stepHookLine(workshop::HookLine& line, float dt);
    void stepSmallRope(workshop::SmallRope& rope, float dt);
    void stepHookRope(workshop::HookRope& rope, float dt);

    SceneContext m_context;
    bool m_firstEntry = true;
    FadeOutEnding m_ending;
    std::size_t m_scheduleStep = 0;
    float m_scheduleClock = 0.0f;  // seconds since the first frame; never restarted
    float m_tickTimer = 0.0f;      // seconds since the last one-second tick
    sf::Sprite* m_background = nullptr;
    float m_backgroundY;
    sf::Sprite* m_backdrop = nullptr;
    ParticleSystem* m_rain = nullptr;
    std::array<workshop::HookRope, 3> m_hookRopes{};
    std::array<workshop::SmallRope, 5> m_smallRopes{};
    std::array<workshop::CogGroup, 2> m_cogGroups{};
    std::array<workshop::HookLine, 3> m_hookLines{};
};

// The frame loop's workshop scene: one frame of the game's one WorkshopScene.
int workshopScene(float dt);
