#pragma once

#include "assets/PictureCover.hpp"

#include <SFML/Graphics/Image.hpp>

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A picture as read from its file, and where it shows anything.
struct DecodedPicture {
    sf::Image image;
    PictureCover cover;
};

// Decodes a list of image files on background threads, a few ahead of the one the caller
// is using, so that decoding the pictures (most of the start-up) runs on every core while
// the calling thread uploads them to OpenGL in their order. The workers also measure each
// picture's cover, which reads every pixel once more.
//
// The workers decode with their own decoder, which reports a failure as a value and writes
// nothing: no worker touches SFML's error stream or the failure reason SFML's decoder keeps
// for the whole process. A caller that gets no image for a file loads it itself with SFML,
// whose reason then prints where it always did.
class ImagePrefetch {
public:
    // An empty file name is skipped: wait gives null for it.
    explicit ImagePrefetch(std::vector<std::string> files);
    ~ImagePrefetch();
    ImagePrefetch(const ImagePrefetch&) = delete;
    ImagePrefetch& operator=(const ImagePrefetch&) = delete;

    // Waits for the picture of files[index]; null when it did not decode. Frees the
    // pictures before index: the caller takes them in order. Valid until the next call.
    const DecodedPicture* wait(std::size_t index);

    // How many images are decoded at most before the caller asks for them.
    static constexpr std::size_t kLookAhead = 4;

private:
    void decodeUntilDone();

    std::vector<std::string> m_files;
    std::vector<std::unique_ptr<DecodedPicture>> m_images;
    std::vector<bool> m_decoded;
    std::size_t m_next = 0;     // the next file a worker takes
    std::size_t m_waited = 0;   // the file the caller waits for or uses
    bool m_stopping = false;
    std::mutex m_mutex;
    std::condition_variable m_workAllowed;
    std::condition_variable m_imageDone;
    std::vector<std::thread> m_workers;
};
