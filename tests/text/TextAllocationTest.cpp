#include "scenes/TextScript.hpp"
#include "text/TextManager.hpp"
#include "particles/ParticleManager.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

// Every allocation of this test program passes through here, so a steady frame can be
// checked for any.
namespace {
bool counting = false;
long allocations = 0;
}

void* operator new(std::size_t size)
{
    if (counting)
        ++allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

TEST(TextFrames, AdvancingAndDrawingThePoemAllocatesNothing)
{
    TextManager manager(ParticleManager::instance());
    manager.load("assets/text/text.json");
    TextScript script(manager);
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(1920, 1080));

    testing::internal::CaptureStdout();
    script.frame(&target, 1.0f / 60.0f);  // the poem is laid out here
    testing::internal::GetCapturedStdout();
    script.started = true;
    // Until the first line shows: the graphics driver sets itself up on its first text.
    const float frameTime = 1.0f / 8.0f;
    for (int frame = 0; frame < 17 * 8; ++frame)
        script.frame(&target, frameTime);

    // Lines being written, sung words, lines fading out, to the end of the poem.
    counting = true;
    for (int frame = 0; frame < 163 * 8; ++frame)
        script.frame(&target, frameTime);
    counting = false;
    EXPECT_EQ(allocations, 0);
}
