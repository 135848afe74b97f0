#include "support/TestSupport.hpp"

#include "core/Game.hpp"
#include "core/ScreenFade.hpp"
#include "particles/ParticleManager.hpp"
#include "particles/ParticleSystem.hpp"
#include "text/TextManager.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

// A film that runs undrawn up to a time must be, at that time, exactly the film that was drawn
// up to it: its state and its picture. Two child processes play the film (its state is
// process-wide), one drawing every frame of the seconds before each moment, one only the
// moments, and the parent compares what they wrote at each. At 2 fps, as the stage rules are
// the same at any frame time.

namespace {
constexpr int kFps = 2;
constexpr float kDt = 1.0f / kFps;

struct Moment {
    const char* what;
    float time;  // seconds after the opening's first frame
};

// At 2 fps every stage change drops up to half a second, so the scenes run late: the walk
// fades out from 51 s, the credits show from 193 s (the poem keeps its own clock).
const Moment kMoments[] = {
    {"the black lead-in", -1.0f},
    {"rain over the face", 10.0f},
    {"the middle of a line of the poem", 17.0f},
    {"the walk fading out in the rain", 51.5f},
    {"hooks and cogs in the workshop", 90.0f},
    {"the door opening onto white", 125.0f},
    {"the credits", 200.0f},
};
// Frames drawn before each moment by the child that draws: every scene on screen then,
// its rain and the poem take all their drawing steps.
constexpr long kDrawnBefore = 3 * kFps;

// The lead-in's 2.5 s last 3 s at this frame time: it hands over on the first frame past them.
long frameOf(float time)
{
    return std::lround((time + 3.0f) * kFps);
}

template <typename... Values>
void append(std::string& bytes, const Values&... values)
{
    (bytes.append(reinterpret_cast<const char*>(&values), sizeof values), ...);
}

void appendTween(std::string& bytes, const Tween& tween)
{
    append(bytes, tween.active, tween.current, tween.elapsed, tween.delay, tween.from);
}

// Everything a later frame reads, as bytes: the loop, the fade, the rain, the poem's letters.
std::string state()
{
    std::string bytes;
    const Game& loop = game();
    append(bytes, loop.shaderTime, loop.leadIn.timer, loop.credits.ending.timer(), loop.sceneId, loop.running,
           loop.credits.ending.fading(), screenFade().alpha, screenFade().direction);
    appendTween(bytes, screenFade().tween);
    const ParticleSystem* rain = ParticleManager::instance().get("rain_particles");
    append(bytes, rain->spawnTimer);
    for (const Particle& particle : rain->particles()) {
        append(bytes, particle.x, particle.y, particle.vx, particle.vy, particle.rotation, particle.scale, particle.age,
               particle.ttl, particle.alpha, particle.alive, particle.fadingOut);
        appendTween(bytes, particle.alphaTween);
    }
    for (const TextInstance& instance : TextManager::instance().get("demo_text")->instances) {
        append(bytes, instance.delay, instance.remaining, instance.inUse);
        for (const TextLetter& letter : instance.letters) {
            append(bytes, letter.x, letter.y, letter.life, letter.alpha, letter.startDelay, letter.scale, letter.rotation,
                   letter.alive, letter.text.getFillColor().a);
            for (const Tween* tween : {&letter.fadeInTween, &letter.fadeOutTween, &letter.xOutTween})
                appendTween(bytes, *tween);
        }
    }
    // What the generator gives next: every rand() draw was made, in the same order.
    append(bytes, std::rand());
    return bytes;
}

// Plays the film in a child process up to the last moment, drawing the moments and, with
// `drawBefore`, the frames before each; at each moment writes <folder>/<i>.pixels (the picture)
// and <folder>/<i>.state. With `playedBefore` > 0 it first plays that many seconds (undrawn,
// song and all) and restarts the film. True when the child succeeded.
bool playInChild(const std::string& folder, bool drawBefore, float playedBefore = 0.0f)
{
    const pid_t child = fork();
    if (child == 0) {
        sf::RenderTexture window;
        bool good = window.create(1920, 1080) && game().loadContent();
        if (playedBefore > 0.0f) {
            for (long frame = 0; frame < frameOf(playedBefore); ++frame)
                game().advance(kDt);
            game().restart();
        }
        std::size_t next = 0;
        for (long frame = 0; good && next < std::size(kMoments); ++frame) {
            const bool shown = frame == frameOf(kMoments[next].time);
            if (shown || (drawBefore && frame >= frameOf(kMoments[next].time) - kDrawnBefore)) {
                game().frame(kDt, window);
                window.display();
            } else {
                game().advance(kDt);
            }
            if (!shown)
                continue;
            const std::string name = folder + "/" + std::to_string(next++);
            const sf::Image picture = window.getTexture().copyToImage();
            const std::size_t bytes = 4u * picture.getSize().x * picture.getSize().y;
            std::ofstream(name + ".pixels", std::ios::binary)
                .write(reinterpret_cast<const char*>(picture.getPixelsPtr()), static_cast<std::streamsize>(bytes));
            std::ofstream(name + ".state", std::ios::binary) << state();
        }
        _exit(good ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void expectSameFilm(const std::string& expectedFolder, const std::string& folder, const char* how)
{
    for (std::size_t i = 0; i < std::size(kMoments); ++i) {
        for (const char* kind : {".state", ".pixels"}) {
            const std::string name = "/" + std::to_string(i) + kind;
            const std::string expected = readFile(expectedFolder + name);
            EXPECT_FALSE(expected.empty()) << kMoments[i].what << kind;
            EXPECT_TRUE(readFile(folder + name) == expected) << how << ": " << kMoments[i].what << kind;
        }
    }
}
}

TEST(Undrawn, FramesLeaveTheStateAndThePictureOfDrawnOnes)
{
    const TempDir drawn;
    const TempDir undrawn;
    // Played into the door scene first (past the rain, the poem's lines and a fade), then
    // restarted: the film must be the fresh process's at every moment, earlier and later.
    const TempDir restarted;
    ASSERT_TRUE(playInChild(drawn.path(), true));
    ASSERT_TRUE(playInChild(undrawn.path(), false));
    ASSERT_TRUE(playInChild(restarted.path(), false, 120.0f));
    expectSameFilm(drawn.path(), undrawn.path(), "undrawn");
    expectSameFilm(drawn.path(), restarted.path(), "restarted after 120 s");
}
