#include "SceneFixture.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <algorithm>

SceneFixture::SceneFixture(const std::vector<std::string>& missing)
    : m_sprites(m_textures)
    , m_particles(m_sprites)
{
    // One graphics resource for the whole run keeps the library's connection to the display
    // open between fixtures, instead of reconnecting for each.
    static const sf::Texture keepDisplayOpen;
    std::string sprites = "{\"sprites\": {";
    bool first = true;
    for (const std::string& key : filmKeys()) {
        if (std::find(missing.begin(), missing.end(), key) != missing.end())
            continue;
        sf::Image image;
        image.create(2, 2, colourOf(key));
        const std::string file = m_folder.path() + "/" + key + ".png";
        image.saveToFile(file);
        m_textures.add(key, file, false);
        sprites += std::string(first ? "" : ",") + "\"" + key + "\": {\"texture\": \"" + key + "\"}";
        first = false;
    }
    sprites += "}}";
    m_sprites.load(m_folder.write("sprites.json", sprites));
    m_target.create(8, 8);
    clear();
}

SceneContext SceneFixture::context()
{
    return SceneContext(m_sprites, m_particles, m_target);
}

sf::Sprite& SceneFixture::sprite(const std::string& key)
{
    return *m_sprites.get(key);
}

sf::Color SceneFixture::colourOf(const std::string& key)
{
    const auto& keys = filmKeys();
    const auto at = static_cast<int>(std::find(keys.begin(), keys.end(), key) - keys.begin());
    return sf::Color(static_cast<sf::Uint8>(20 + at * 4), static_cast<sf::Uint8>(230 - at * 3),
                     static_cast<sf::Uint8>((at * 53) % 256), 255);
}

sf::Color SceneFixture::topLeftAndClear()
{
    m_target.display();
    const sf::Color colour = m_target.getTexture().copyToImage().getPixel(0, 0);
    clear();
    return colour;
}

void SceneFixture::clear()
{
    m_target.clear(sf::Color(0, 0, 0, 0));
}

const std::vector<std::string>& SceneFixture::filmKeys()
{
    static const std::vector<std::string> keys = {
        "black", "credits", "white", "zelt", "drennmoor", "closeup1_0", "closeup1_1",
        "closeup2_0", "closeup2_1", "closeup_0", "closeup_1", "closeup_3", "house_0", "house_1",
        "walk_0", "walk_1", "walk_2", "walk_3", "walk_4", "towerwalk_0", "towerwalk_1",
        "towerwalk_2", "towerwalk_3", "desk_1", "desk_2", "desk_3", "workshop_1", "big_rope_1",
        "big_rope_2", "small_rope_1", "small_rope_2", "hook_3", "cog1", "hookline", "door_0",
        "door_1", "door_2", "scylla_0", "scylla_1", "scylla_2", "scylla_3", "hook_0", "endgame",
    };
    return keys;
}
