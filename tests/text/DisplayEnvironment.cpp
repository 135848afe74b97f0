#include <SFML/Window/Context.hpp>
#include <gtest/gtest.h>

#include <memory>

namespace {
// Holds one connection to the X display for the whole run. A virtual display resets itself
// whenever its last client leaves, and a test that connects during that reset is refused, so
// the fonts and textures of one test must not be the display's last users.
class DisplayEnvironment : public testing::Environment {
public:
    void SetUp() override { m_context = std::make_unique<sf::Context>(); }
    void TearDown() override { m_context.reset(); }

private:
    std::unique_ptr<sf::Context> m_context;
};

testing::Environment* const kDisplay = testing::AddGlobalTestEnvironment(new DisplayEnvironment);
}
