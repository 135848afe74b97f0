#pragma once

// The workshop's machinery and the schedule on which it enters. Positions are pixels of the
// picture, speeds pixels per second downwards, times seconds since the scene's first frame.

#include <array>
#include <cstddef>

namespace sf {
class Sprite;
}

namespace workshop {

struct Point {
    float x;
    float y;
};
using Path = std::array<Point, 8>;

// The points where a trolley hook hangs on its cable, one step per second, before the rope's
// own height is added. Path B runs the other way, right to left; its points are its own, only
// close to path A's mirror (1920 - 125 would be 1795, not 1798).
constexpr Path kPathA = {{{125, 359}, {428, 301}, {726, 245}, {970, 202},
                          {1189, 160}, {1411, 120}, {1633, 73}, {1853, 35}}};
constexpr Path kPathB = {{{1798, 359}, {1495, 300}, {1199, 245}, {952, 201},
                          {733, 159}, {511, 119}, {289, 73}, {70, 31}}};

// Everything sinks with the background, so the machinery stays fixed to the picture.
constexpr float kSinkSpeed = 50.0f;

// A heavy cable across the picture with a hook that, after a delay, steps along it.
struct HookRope {
    bool active = false;
    sf::Sprite* rope = nullptr;
    sf::Sprite* hook = nullptr;
    const Path* path = nullptr;
    std::size_t pathIndex = 0;
    float hookDelay = 3.0f;  // seconds before the hook shows and steps
    float y = -400.0f;
    float speed = kSinkSpeed;
};

// A long line of hanging things that jumps sideways by `step` once a second.
struct SmallRope {
    bool active = false;
    sf::Sprite* sprite = nullptr;
    float x = 0.0f;
    float y = -1080.0f;
    float speed = kSinkSpeed;
    float step = 134.0f;
    bool leftwards = false;
};

// Three cogs of one sprite (big, middle, small) that turn ten degrees once a second.
struct CogGroup {
    bool active = false;
    sf::Sprite* sprite = nullptr;
    float x = 0.0f;
    float y = 0.0f;
    float speed = kSinkSpeed;
    float turnA = 0.0f;  // degrees, big and small cog
    float turnB = 0.0f;  // degrees, middle cog
    bool mirrored = false;
};

// A line with a hook that drops to the top of the picture and then flies back up.
struct HookLine {
    bool active = false;
    sf::Sprite* sprite = nullptr;
    float x = 0.0f;
    float y = -720.0f;
    float speed = kSinkSpeed;
};

struct HookRopeEntry {
    const char* rope;
    const char* hook;
    const Path* path;
};
constexpr std::array<HookRopeEntry, 3> kHookRopes = {{
    {"big_rope_1", "hook_3", &kPathA},
    {"big_rope_2", "hook_3", &kPathB},
    {"big_rope_1", "hook_3", &kPathA},
}};

// Ropes from the left start at x = -3840 and step right; ropes from the right start at 2880.
struct SmallRopeEntry {
    const char* sprite;
    float x;
    bool leftwards;
};
constexpr std::array<SmallRopeEntry, 5> kSmallRopes = {{
    {"small_rope_1", -3840.0f, false},
    {"small_rope_2", 2880.0f, true},
    {"small_rope_1", -3840.0f, false},
    {"small_rope_2", 2880.0f, true},
    {"small_rope_1", -3840.0f, false},
}};

struct CogGroupEntry {
    float x;
    bool mirrored;
};
constexpr std::array<CogGroupEntry, 2> kCogGroups = {{{0.0f, false}, {1920.0f, true}}};

constexpr std::array<float, 3> kHookLineX = {750.0f, 250.0f, 1400.0f};

// What one schedule step brings in: the object of that kind with that index.
enum class Entry { HookRope, SmallRope, CogGroup, HookLine, Nothing };

struct ScheduleStep {
    float after;  // the step runs on the first frame whose schedule clock is greater
    Entry entry;
    std::size_t index;
};

// One step per frame at most, so the two steps at 16 s land on consecutive frames.
// Steps 10, 11 and 15 only move the schedule on.
constexpr std::array<ScheduleStep, 16> kSchedule = {{
    {-1.0f, Entry::HookRope, 0},  // the first frame
    {1.5f, Entry::SmallRope, 0},
    {2.5f, Entry::CogGroup, 0},
    {4.5f, Entry::HookLine, 0},
    {7.5f, Entry::SmallRope, 1},
    {9.5f, Entry::SmallRope, 2},
    {16.0f, Entry::HookRope, 1},
    {16.0f, Entry::CogGroup, 1},
    {18.0f, Entry::SmallRope, 3},
    {23.0f, Entry::HookLine, 1},
    {25.0f, Entry::Nothing, 0},
    {30.0f, Entry::Nothing, 0},
    {34.0f, Entry::HookRope, 2},
    {35.0f, Entry::HookLine, 2},
    {36.0f, Entry::SmallRope, 4},
    {37.0f, Entry::Nothing, 0},
}};

}  // namespace workshop
