#include "assets/PictureFile.hpp"

#include "core/FileCheck.hpp"

#include <stb/stb_image.h>

std::string pictureNotRead(const std::string& file)
{
    const std::string kind = notAFile(file);
    if (!kind.empty())
        return kind;
    int width = 0;
    int height = 0;
    int channels = 0;
    const bool known = stbi_info(file.c_str(), &width, &height, &channels) != 0;
    if (!known || (width <= kMostPictureSide && height <= kMostPictureSide))
        return "";
    return std::to_string(width) + " x " + std::to_string(height) + " pixels, more than " +
           std::to_string(kMostPictureSide) + " either way";
}
