#include "assets/ImagePrefetch.hpp"

#include <SFML/System/Err.hpp>

#include <malloc.h>

#include <algorithm>

namespace {
// Glibc's defaults: blocks from 128 KiB up are mapped apart, and a free top of the heap
// above 128 KiB goes back to the kernel.
constexpr int kDefaultMmapThreshold = 128 * 1024;
constexpr int kDefaultTrimThreshold = 128 * 1024;

// Every picture decodes into two large blocks (the decoder's and the image's) that are
// freed once it is uploaded. Kept in the heap, the next picture reuses their pages; mapped
// anew, each of its pages faults in and is cleared by the kernel: a quarter of the start-up.
void keepFreedBlocks()
{
    mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024 * 1024);
}

void releaseFreedBlocks()
{
    mallopt(M_MMAP_THRESHOLD, kDefaultMmapThreshold);
    mallopt(M_TRIM_THRESHOLD, kDefaultTrimThreshold);
    malloc_trim(0);
}

// Two cores decode twice as fast; beyond four the upload on the calling thread limits.
std::size_t workerCount(std::size_t files)
{
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::min({cores, std::size_t{4}, files});
}
}

ImagePrefetch::OwnThreadOnly::OwnThreadOnly(std::streambuf* target)
    : m_target(target)
    , m_owner(std::this_thread::get_id())
{
}

int ImagePrefetch::OwnThreadOnly::overflow(int character)
{
    if (character == traits_type::eof())
        return traits_type::not_eof(character);
    if (!fromOwner() || m_target == nullptr)
        return character;
    return m_target->sputc(traits_type::to_char_type(character));
}

std::streamsize ImagePrefetch::OwnThreadOnly::xsputn(const char* text, std::streamsize count)
{
    if (!fromOwner() || m_target == nullptr)
        return count;
    return m_target->sputn(text, count);
}

int ImagePrefetch::OwnThreadOnly::sync()
{
    if (!fromOwner() || m_target == nullptr)
        return 0;
    return m_target->pubsync();
}

ImagePrefetch::ImagePrefetch(std::vector<std::string> files)
    : m_files(std::move(files))
    , m_images(m_files.size())
    , m_decoded(m_files.size(), false)
    , m_errorFilter(sf::err().rdbuf())
{
    sf::err().rdbuf(&m_errorFilter);
    keepFreedBlocks();
    const std::size_t workers = workerCount(m_files.size());
    for (std::size_t i = 0; i < workers; ++i)
        m_workers.emplace_back(&ImagePrefetch::decodeUntilDone, this);
}

ImagePrefetch::~ImagePrefetch()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_workAllowed.notify_all();
    for (std::thread& worker : m_workers)
        worker.join();
    sf::err().rdbuf(m_errorFilter.target());
    m_images.clear();
    releaseFreedBlocks();
}

const sf::Image* ImagePrefetch::wait(std::size_t index)
{
    if (index >= m_files.size())
        return nullptr;
    std::unique_lock<std::mutex> lock(m_mutex);
    for (std::size_t earlier = m_waited; earlier < index; ++earlier)
        m_images[earlier].reset();
    m_waited = std::max(m_waited, index);
    m_workAllowed.notify_all();
    m_imageDone.wait(lock, [&] { return m_decoded[index]; });
    return m_images[index].get();
}

ImagePrefetch::Pause::Pause(ImagePrefetch& prefetch)
    : m_prefetch(prefetch)
{
    std::unique_lock<std::mutex> lock(m_prefetch.m_mutex);
    m_prefetch.m_paused = true;
    m_prefetch.m_imageDone.wait(lock, [&] { return m_prefetch.m_busy == 0; });
}

ImagePrefetch::Pause::~Pause()
{
    {
        std::lock_guard<std::mutex> lock(m_prefetch.m_mutex);
        m_prefetch.m_paused = false;
    }
    m_prefetch.m_workAllowed.notify_all();
}

void ImagePrefetch::decodeUntilDone()
{
    for (;;) {
        std::size_t index = 0;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_workAllowed.wait(lock, [&] {
                return m_stopping || m_next >= m_files.size() ||
                       (!m_paused && m_next < m_waited + kLookAhead);
            });
            if (m_stopping || m_next >= m_files.size())
                return;
            index = m_next++;
            ++m_busy;
        }
        // An empty name stands for an entry that is not loaded at all.
        auto image = std::make_unique<sf::Image>();
        if (m_files[index].empty() || !image->loadFromFile(m_files[index]))
            image.reset();
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            // The caller may have gone past this one already: then it is not kept.
            if (index >= m_waited)
                m_images[index] = std::move(image);
            m_decoded[index] = true;
            --m_busy;
        }
        m_imageDone.notify_all();
    }
}
