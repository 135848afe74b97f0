#include "SongSync.hpp"

#include "assets/MusicManager.hpp"

#include <cmath>

namespace {
double offsetAt(const sf::Music& player, double time)
{
    const double length = player.getDuration().asSeconds();
    const double loopStart = player.getLoopPoints().offset.asSeconds();
    return songOffset(time, length, loopStart);
}
}

void SongSync::follow(double time, bool paused)
{
    // No song player: no sound device, or the song never played.
    sf::Music* song = MusicManager::instance().player();
    if (song == nullptr || song->getDuration() == sf::Time::Zero)
        return;
    sf::Music& player = *song;
    if (time < 0.0) {
        player.stop();
        return;
    }
    // A stopped stream seeks but does not start; start it first.
    if (player.getStatus() == sf::Music::Stopped)
        player.play();
    player.setPlayingOffset(sf::seconds(static_cast<float>(offsetAt(player, time))));
    if (paused)
        player.pause();
    else
        player.play();
}

void SongSync::keepInStep(double time)
{
    sf::Music* song = MusicManager::instance().player();
    if (song == nullptr || song->getStatus() != sf::Music::Playing)
        return;
    sf::Music& player = *song;
    if (player.getPitch() != m_speed)
        player.setPitch(m_speed);
    const double wanted = offsetAt(player, time);
    if (std::fabs(player.getPlayingOffset().asSeconds() - wanted) > kMostDrift)
        player.setPlayingOffset(sf::seconds(static_cast<float>(wanted)));
}

void SongSync::setSpeed(double speed)
{
    m_speed = static_cast<float>(speed);
    if (sf::Music* song = MusicManager::instance().player())
        song->setPitch(m_speed);
}

void SongSync::silence(bool quiet)
{
    // The game's own mute: the song keeps its place and its volume comes back with it.
    MusicManager& music = MusicManager::instance();
    if (quiet)
        music.mute();
    else
        music.unmute();
}

double songOffset(double time, double songLength, double loopStart)
{
    if (!(time > 0.0))
        return 0.0;
    if (time < songLength)
        return time;
    const double loopLength = songLength - loopStart;
    if (!(loopLength > 0.0))
        return 0.0;
    return loopStart + std::fmod(time - songLength, loopLength);
}
