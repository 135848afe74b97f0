#include "assets/MusicManager.hpp"

#include "assets/JsonFile.hpp"
#include "assets/JsonValues.hpp"
#include "assets/SoundDevice.hpp"
#include "core/Diagnostics.hpp"
#include "core/FileCheck.hpp"

#include <cmath>
#include <limits>

namespace {

const std::string kOwner = "MusicManager";

// Milliseconds as SFML wants them: a whole number, truncated toward zero, kept in range.
sf::Int32 wholeMilliseconds(double ms)
{
    if (std::isnan(ms))
        return 0;
    if (ms >= static_cast<double>(std::numeric_limits<sf::Int32>::max()))
        return std::numeric_limits<sf::Int32>::max();
    if (ms <= static_cast<double>(std::numeric_limits<sf::Int32>::min()))
        return std::numeric_limits<sf::Int32>::min();
    return static_cast<sf::Int32>(ms);
}

} // namespace

MusicManager& MusicManager::instance()
{
    static MusicManager manager;
    return manager;
}

bool MusicManager::load(const std::string& path)
{
    return loadJsonFile(kOwner, path, [this](const nlohmann::json& document) { return loadDocument(document); });
}

bool MusicManager::loadFromStream(std::istream& stream)
{
    return loadJsonStream(kOwner, stream, [this](const nlohmann::json& document) { return loadDocument(document); });
}

bool MusicManager::loadDocument(const nlohmann::json& document)
{
    if (!validateJson(document, {"music"}))
        return false;
    for (const auto& [key, entry] : document.at("music").items()) {
        if (!entry.contains("file")) {
            reportLine(kOwner + ": Missing FILE property for [" + key + "]");
            continue;
        }
        try {
            auto song = std::make_unique<MusicEntry>();
            song->volume = jsonIntOr(entry, "volume", 100);
            song->loopTo = jsonDoubleOr(entry, "loopTo", 0.0);
            song->file = jsonString(entry.at("file"));
            // A key declared again (a second load) takes the new declaration: a song is
            // opened only when it plays, so nobody holds the old one.
            m_entries.put(key, std::move(song));
        } catch (const nlohmann::json::exception& error) {
            reportWrongType(kOwner, key, error);
        }
    }
    return true;
}

bool MusicManager::contains(const std::string& key) const
{
    return m_entries.contains(key);
}

const MusicEntry* MusicManager::song(const std::string& key) const
{
    return m_entries.find(key);
}

std::vector<std::string> MusicManager::songKeys() const
{
    return m_entries.keys();
}

void MusicManager::playSong(const std::string& key, bool loop, double offsetMs)
{
    const MusicEntry* song = m_entries.get(key);
    if (song == nullptr || m_noDevice)
        return;
    if (!m_player)
        m_player = std::make_unique<sf::Music>();
    sf::Music& player = *m_player;
    // A named pipe would hang the open, in the middle of the film.
    const std::string refused = notAFile(song->file);
    if (!refused.empty()) {
        reportLine(kOwner + ": Unable to load music file " + song->file + ": " + refused + ".");
        return;
    }
    if (!player.openFromFile(song->file)) {
        reportLine(kOwner + ": Unable to load music file " + song->file + ".");
        return;
    }
    m_songVolume = static_cast<float>(song->volume);
    player.setVolume(m_songVolume);
    player.setLoop(loop);
    // The loop runs to the track's end: a span past it ends there.
    player.setLoopPoints(
        sf::Music::TimeSpan(sf::milliseconds(wholeMilliseconds(song->loopTo)), player.getDuration()));
    if (musicMuted)
        player.setVolume(0.0f);
    if (offsetMs > 0.0)
        player.setPlayingOffset(sf::milliseconds(wholeMilliseconds(offsetMs)));
    player.play();
}

void MusicManager::mute()
{
    musicMuted = true;
    if (m_player)
        m_player->setVolume(0.0f);
}

void MusicManager::unmute()
{
    if (m_noDevice)
        return;
    musicMuted = false;
    if (m_player)
        m_player->setVolume(m_songVolume);
}

void MusicManager::setPaused(bool paused)
{
    if (!m_player)
        return;
    if (paused && m_player->getStatus() == sf::SoundSource::Playing)
        m_player->pause();
    else if (!paused && m_player->getStatus() == sf::SoundSource::Paused)
        m_player->play();
}

void MusicManager::playWithoutDevice()
{
    mute();
    m_noDevice = true;
    // Its streaming thread ends here; a player on a lost device would only spin. The player
    // itself stays, and with it the audio library's context, which later calls still need.
    if (m_player)
        m_player->stop();
}

void MusicManager::checkDevice()
{
    if (m_player && !m_noDevice && !soundDeviceConnected())
        playWithoutDevice();
}

void MusicManager::clear()
{
    if (m_player)
        m_player->stop();
    m_entries.clear();
}
