#include "FilmScenes.hpp"

#include "scenes/Poem.hpp"

#include <algorithm>

const std::vector<SceneStart>& sceneStarts()
{
    // The scenes are timed to the song: each one begins on a bar of it.
    static const std::vector<SceneStart> starts = {
        {-1, -2.5}, {0, 0.0}, {1, 32.0}, {25, 48.0}, {2, 64.0}, {35, 112.0},
        {3, 128.0}, {4, 144.0}, {5, 160.0}, {6, 180.0}, {666, 200.0},
    };
    return starts;
}

double previousSceneStart(double time, double grace)
{
    double found = sceneStarts().front().start;
    for (const SceneStart& scene : sceneStarts())
        if (scene.start <= time - grace)
            found = scene.start;
    return found;
}

double nextSceneStart(double time)
{
    for (const SceneStart& scene : sceneStarts())
        if (scene.start > time)
            return scene.start;
    return time;
}

int sceneAt(double time)
{
    int id = sceneStarts().front().id;
    for (const SceneStart& scene : sceneStarts())
        if (scene.start <= time)
            id = scene.id;
    return id;
}

std::vector<double> poemStarts()
{
    std::vector<double> starts;
    for (const PoemPlay& play : kPoem) {
        if (play.kind == PoemPlay::Line)
            starts.push_back(play.delay);
        else if (!play.words.empty())
            starts.push_back(play.words.front().time);
    }
    std::sort(starts.begin(), starts.end());
    return starts;
}
