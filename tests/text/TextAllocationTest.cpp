#include "scenes/TextScript.hpp"
#include "text/TextManager.hpp"
#include "particles/ParticleManager.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

// The benchmark's allocation counter replaces every form of operator new and delete in this
// test program, so a steady frame can be checked for any allocation of the game's own.
#include "AllocationCounter.hpp"

TEST(TextFrames, AdvancingAndDrawingThePoemAllocatesNothing)
{
    TextManager manager(ParticleManager::instance());
    manager.load("assets/text/text.json");
    TextScript script(manager);
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(1920, 1080));

    testing::internal::CaptureStdout();
    script.frame(1.0f / 60.0f);  // the poem is laid out here
    testing::internal::GetCapturedStdout();
    script.started = true;
    // Until the first line shows: the graphics driver sets itself up on its first text.
    const float frameTime = 1.0f / 8.0f;
    for (int frame = 0; frame < 17 * 8; ++frame) {
        script.frame(frameTime);
        script.draw(target);
    }

    // Lines being written, sung words, lines fading out, to the end of the poem.
    AllocationCounter::watchThisThread();
    const unsigned long before = AllocationCounter::count();
    AllocationCounter::startCounting();
    AllocationCounter::startTracing(4);
    for (int frame = 0; frame < 163 * 8; ++frame) {
        script.frame(frameTime);
        script.draw(target);
    }
    AllocationCounter::stopCounting();
    EXPECT_EQ(AllocationCounter::count() - before, 0u);
    for (const std::string& trace : AllocationCounter::traces())
        ADD_FAILURE() << "allocated in: " << trace;
}
