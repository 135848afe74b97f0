#include "Benchmark.hpp"

#include "AllocationCounter.hpp"
#include "GlCounters.hpp"
#include "StartupClock.hpp"
#include "ToolNumbers.hpp"
#include "UndrawnCosts.hpp"
#include "UnitCosts.hpp"

#include "core/Config.hpp"
#include "core/Diagnostics.hpp"
#include "core/Game.hpp"
#include "core/Screen.hpp"

#include <SFML/OpenGL.hpp>

#include <chrono>
#include <iostream>

namespace {
const std::string kName = "drennmoor-bench: ";

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
}

Benchmark::Benchmark(const BenchOptions& options)
    : m_options(options)
    , m_dt(1.0f / static_cast<float>(options.fps))
    , m_maxFrames(kMaxSeconds * static_cast<std::size_t>(options.fps))
    , m_report(m_maxFrames)
{
}

bool Benchmark::run()
{
    openWindow();
    if (!startGame())
        return false;
    if (m_options.startupOnly) {
        for (const std::string& line : BenchReport::startupLines())
            std::cout << line << '\n';
        return true;
    }
    m_target.create(kScreenWidth, kScreenHeight);
    m_target.setActive(true);
    if (!GlCounters::startFill())
        reportLine(kName + "this OpenGL has no occlusion queries: the fill shows as 0");
    measureBaselineCost();
    playFilm();
    printTable();
    for (const std::string& line : UnitCosts::measure(m_target))
        std::cout << line << '\n';
    std::cout << '\n';
    if (!UndrawnCosts::measureApart(m_options.fps))
        reportLine(kName + "the undrawn frames could not be measured");
    return true;
}

void Benchmark::openWindow()
{
    loadConfig();
    m_window.create(sf::VideoMode(kScreenWidth, kScreenHeight, 32), "Drennmoor", sf::Style::Default,
                    sf::ContextSettings());
    // The frames are timed one by one: waiting for the display would only add to them.
    m_window.setVerticalSyncEnabled(false);
    m_window.setActive(true);
    m_window.setMouseCursorVisible(false);
    m_window.clear(sf::Color(0, 0, 0, 255));
    m_window.display();
}

bool Benchmark::startGame()
{
    if (!game().loadContent())
        return false;
    StartupClock::markLoaded();
    game().frame(m_dt, m_window);
    m_window.display();
    finish(m_window);
    StartupClock::markFirstFrame();
    return true;
}

void Benchmark::playFilm()
{
    int previousScene = game().sceneId;
    while (game().running && m_report.size() < m_maxFrames) {
        const bool steady = game().sceneId == previousScene;
        previousScene = game().sceneId;
        BenchReport::Frame frame = filmFrame(steady);
        const auto start = std::chrono::steady_clock::now();
        baselineFrame();
        frame.baselineMilliseconds = millisecondsSince(start);
        m_report.add(frame);
    }
}

BenchReport::Frame Benchmark::filmFrame(bool steady)
{
    BenchReport::Frame frame{game().sceneId, steady, 0.0, 0.0, 0, 0, 0, 0};
    if (steady)
        AllocationCounter::startTracing(m_options.traceAllocations);
    GlCounters::reset();
    GlCounters::beginFill();
    const unsigned long allocationsBefore = AllocationCounter::count();
    const unsigned long driverBefore = AllocationCounter::driverCount();
    AllocationCounter::startCounting();
    const auto start = std::chrono::steady_clock::now();

    game().frame(m_dt, m_target);
    m_target.display();
    finish(m_target);

    frame.milliseconds = millisecondsSince(start);
    AllocationCounter::stopCounting();
    frame.allocations = AllocationCounter::count() - allocationsBefore;
    frame.driverAllocations = AllocationCounter::driverCount() - driverBefore;
    frame.fragments = GlCounters::endFill();
    frame.drawCalls = GlCounters::drawCalls();
    AllocationCounter::stopTracing();
    return frame;
}

void Benchmark::baselineFrame()
{
    const sf::Color transparent(0, 0, 0, 0);
    m_target.clear(transparent);
    renderTexture().clear(transparent);
    renderTexture().display();
    m_target.draw(renderSprite(), sf::RenderStates(&vignetteShader()));
    m_target.display();
    finish(m_target);
}

void Benchmark::measureBaselineCost()
{
    GlCounters::reset();
    GlCounters::beginFill();
    baselineFrame();
    const unsigned long long fragments = GlCounters::endFill();
    m_report.setBaselineCost(GlCounters::drawCalls(), fragments);
}

void Benchmark::finish(sf::RenderTarget& target)
{
    target.setActive(true);
    glFinish();
}

void Benchmark::printTable() const
{
    for (const std::string& line : m_report.table(m_options.fps, peakMemoryMiB()))
        std::cout << line << '\n';
    const std::vector<std::string> traces = AllocationCounter::traces();
    for (const std::string& trace : traces)
        reportLine(kName + "allocation in a steady frame: " + trace);
    std::cout.flush();
}
