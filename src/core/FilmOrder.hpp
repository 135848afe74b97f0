#pragma once

#include <array>
#include <cstddef>

// The film's scenes in the order of play: the id the frame loop knows each one by, the name
// the tools print for it, and the time it begins, in seconds after the opening scene's first
// frame (each scene begins on a bar of the song). A scene hands over on the first frame past
// its last stage, so its first frame comes up to one frame per stage change after the time
// here. Every scene's own id and the id it hands over to come from this one table.
namespace film {

constexpr int kLeadIn = -1;  // the black before the opening, the frame loop's own
constexpr int kOpening = 0;
constexpr int kWalk = 1;
constexpr int kDesk = 25;
constexpr int kWorkshop = 2;
constexpr int kDoor = 35;
constexpr int kScylla = 3;
constexpr int kCog = 4;
constexpr int kEnding = 5;
constexpr int kCredits = 6;  // the frame loop's own
constexpr int kQuit = 666;   // ends the loop

struct Scene {
    int id;
    const char* name;
    float start;
};

inline constexpr std::array<Scene, 11> kOrder = {{
    {kLeadIn, "lead-in", -2.5f},
    {kOpening, "opening", 0.0f},
    {kWalk, "walk", 32.0f},
    {kDesk, "desk", 48.0f},
    {kWorkshop, "workshop", 64.0f},
    {kDoor, "door", 112.0f},
    {kScylla, "scylla", 128.0f},
    {kCog, "cog", 144.0f},
    {kEnding, "ending", 160.0f},
    {kCredits, "credits", 180.0f},
    {kQuit, "quit", 200.0f},
}};

// The time a scene id begins at (seconds, as in kOrder); the quit's for an id the film does
// not have.
constexpr float startOf(int id)
{
    for (const Scene& scene : kOrder) {
        if (scene.id == id)
            return scene.start;
    }
    return kOrder.back().start;
}

// The film's first frame (the lead-in's) and its end (the quit), seconds.
constexpr float kStart = kOrder.front().start;
constexpr float kEnd = kOrder.back().start;

// The id of the scene that follows `id` in the order of play; `id` itself for the quit and
// for an id the film does not have.
constexpr int nextId(int id)
{
    for (std::size_t i = 0; i + 1 < kOrder.size(); ++i) {
        if (kOrder[i].id == id)
            return kOrder[i + 1].id;
    }
    return id;
}

// The name of a scene id ("desk" for kDesk), or `other` for an id the film does not have.
constexpr const char* sceneName(int id, const char* other)
{
    for (const Scene& scene : kOrder) {
        if (scene.id == id)
            return scene.name;
    }
    return other;
}

} // namespace film
