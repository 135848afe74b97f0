#pragma once

#include <SFML/Graphics/Image.hpp>

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <streambuf>
#include <string>
#include <thread>
#include <vector>

// Decodes a list of image files on background threads, a few ahead of the one the caller
// is using, so that decoding the pictures (most of the start-up) runs on every core while
// the calling thread uploads them to OpenGL in their order.
//
// SFML reports a failed decode on its error stream. Those lines would come from the
// workers, out of order, so they are dropped there: a caller that gets no image for a
// file loads it again itself, under a Pause, and SFML's reason prints where it always did.
class ImagePrefetch {
public:
    // An empty file name is skipped: wait gives null for it.
    explicit ImagePrefetch(std::vector<std::string> files);
    ~ImagePrefetch();
    ImagePrefetch(const ImagePrefetch&) = delete;
    ImagePrefetch& operator=(const ImagePrefetch&) = delete;

    // Waits for the image of files[index]; null when it did not decode. Frees the images
    // before index: the caller takes them in order. Valid until the next call.
    const sf::Image* wait(std::size_t index);

    // While one lives, no worker decodes. SFML's decoder keeps the reason of its last
    // failure in one variable for the whole process, which a decode on another thread
    // (even a successful one, while it tries the formats) would overwrite.
    class Pause {
    public:
        explicit Pause(ImagePrefetch& prefetch);
        ~Pause();
        Pause(const Pause&) = delete;
        Pause& operator=(const Pause&) = delete;

    private:
        ImagePrefetch& m_prefetch;
    };

    // How many images are decoded at most before the caller asks for them.
    static constexpr std::size_t kLookAhead = 4;

private:
    // Passes on what the owning thread writes and drops what any other thread writes.
    class OwnThreadOnly : public std::streambuf {
    public:
        explicit OwnThreadOnly(std::streambuf* target);
        std::streambuf* target() const { return m_target; }

    protected:
        int overflow(int character) override;
        std::streamsize xsputn(const char* text, std::streamsize count) override;
        int sync() override;

    private:
        bool fromOwner() const { return std::this_thread::get_id() == m_owner; }
        std::streambuf* m_target;
        std::thread::id m_owner;
    };

    void decodeUntilDone();

    std::vector<std::string> m_files;
    std::vector<std::unique_ptr<sf::Image>> m_images;
    std::vector<bool> m_decoded;
    std::size_t m_next = 0;     // the next file a worker takes
    std::size_t m_waited = 0;   // the file the caller waits for or uses
    bool m_stopping = false;
    bool m_paused = false;
    std::size_t m_busy = 0;     // workers decoding right now
    std::mutex m_mutex;
    std::condition_variable m_workAllowed;
    std::condition_variable m_imageDone;
    OwnThreadOnly m_errorFilter;
    std::vector<std::thread> m_workers;
};
