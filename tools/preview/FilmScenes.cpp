#include "FilmScenes.hpp"

#include "scenes/Poem.hpp"

#include <algorithm>

double previousSceneStart(double time, double grace)
{
    double found = film::kOrder.front().start;
    for (const film::Scene& scene : film::kOrder)
        if (scene.start <= time - grace)
            found = scene.start;
    return found;
}

double nextSceneStart(double time)
{
    for (const film::Scene& scene : film::kOrder)
        if (scene.start > time)
            return scene.start;
    return time;
}

int sceneAt(double time)
{
    int id = film::kOrder.front().id;
    for (const film::Scene& scene : film::kOrder)
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
