#include "assets/ImagePrefetch.hpp"

#include <stb/stb_image.h>

#include <algorithm>

// Glibc's heap takes the hints below; other C libraries (Windows') keep their own policy.
#if defined(__GLIBC__)
#define HEAP_TAKES_HINTS 1
#include <malloc.h>
#endif

namespace {
// Glibc's starting values: blocks from 128 KiB up are mapped apart, and a free top of the heap
// above 128 KiB goes back to the kernel. Glibc raises both as programs free large blocks,
// until they are set: once set here they stay fixed, so releasing gives back these values,
// not that moving policy.
constexpr int kStartingMmapThreshold = 128 * 1024;
constexpr int kStartingTrimThreshold = 128 * 1024;

// Every picture decodes into two large blocks (the decoder's and the image's) that are
// freed once it is uploaded. Kept in the heap, the next picture reuses their pages; mapped
// anew, each of its pages faults in and is cleared by the kernel: a quarter of the start-up.
void keepFreedBlocks()
{
#if HEAP_TAKES_HINTS
    mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024 * 1024);
#endif
}

void releaseFreedBlocks()
{
#if HEAP_TAKES_HINTS
    mallopt(M_MMAP_THRESHOLD, kStartingMmapThreshold);
    mallopt(M_TRIM_THRESHOLD, kStartingTrimThreshold);
    malloc_trim(0);
#endif
}

// Two cores decode twice as fast; beyond four the upload on the calling thread limits.
std::size_t workerCount(std::size_t files)
{
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::min({cores, std::size_t{4}, files});
}

// The picture in a file as SFML would load it (four 8-bit channels, rows from the top) with
// its cover, or null when it does not decode or the name is empty (an entry that is not
// loaded at all). The decoder keeps its failure reason per thread and prints nothing.
std::unique_ptr<DecodedPicture> decode(const std::string& file)
{
    if (file.empty())
        return nullptr;
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load(file.c_str(), &width, &height, &channels, STBI_rgb_alpha);
    if (pixels == nullptr)
        return nullptr;
    auto picture = std::make_unique<DecodedPicture>();
    picture->image.create(static_cast<unsigned>(width), static_cast<unsigned>(height), pixels);
    stbi_image_free(pixels);
    picture->cover = PictureCover(picture->image);
    return picture;
}
}

ImagePrefetch::ImagePrefetch(std::vector<std::string> files)
    : m_files(std::move(files))
    , m_images(m_files.size())
    , m_decoded(m_files.size(), false)
{
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
    m_images.clear();
    releaseFreedBlocks();
}

const DecodedPicture* ImagePrefetch::wait(std::size_t index)
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

void ImagePrefetch::decodeUntilDone()
{
    for (;;) {
        std::size_t index = 0;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_workAllowed.wait(lock, [&] {
                return m_stopping || m_next >= m_files.size() || m_next < m_waited + kLookAhead;
            });
            if (m_stopping || m_next >= m_files.size())
                return;
            index = m_next++;
        }
        std::unique_ptr<DecodedPicture> image = decode(m_files[index]);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            // The caller may have gone past this one already: then it is not kept.
            if (index >= m_waited)
                m_images[index] = std::move(image);
            m_decoded[index] = true;
        }
        m_imageDone.notify_all();
    }
}
