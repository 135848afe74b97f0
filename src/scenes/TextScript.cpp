#include "scenes/TextScript.hpp"

#include "scenes/Poem.hpp"
#include "scenes/RequiredKeys.hpp"
#include "text/TextManager.hpp"

TextScript& TextScript::instance()
{
    static TextScript script(TextManager::instance());
    return script;
}

TextScript::TextScript(TextManager& texts)
    : m_texts(texts)
{
}

void TextScript::frame(float dt)
{
    if (m_firstCall) {
        m_firstCall = false;
        // Without the style the registry prints its line and the poem has nowhere to play.
        m_poem = m_texts.get(kPoemStyleKey);
    }
    if (m_queue) {
        m_queue = false;
        queuePoem();
    }
    if (!started)
        return;
    m_texts.update(dt);
}

void TextScript::draw(sf::RenderTarget& target)
{
    if (started)
        m_texts.draw(target);
}

void TextScript::queuePoem()
{
    if (m_poem == nullptr)
        return;
    // Every play lands on the next instance of the pool: none can end before the first update.
    for (const PoemPlay& play : kPoem) {
        if (play.kind == PoemPlay::Line)
            m_poem->playLine(play.line, play.delay, play.duration, play.x, play.y);
        else
            m_poem->playWords(play.words, play.delay, play.duration, play.x, play.y);
    }
}

void textScript(float dt)
{
    TextScript::instance().frame(dt);
}

bool& textStartFlag()
{
    return TextScript::instance().started;
}

void TextScript::restart()
{
    started = false;
    m_poem = nullptr;
    m_firstCall = true;
    m_queue = true;
}
