#include "scenes/TextScript.hpp"

void textScript(sf::RenderTarget* /*target*/, float /*dt*/)
{
}

bool& textStartFlag()
{
    static bool started = false;
    return started;
}
