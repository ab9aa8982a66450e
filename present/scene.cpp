#include "present/scene.h"

namespace present {

double estimatedTextWidth(std::string_view text, double size)
{
    // Continuation bytes of UTF-8 start 10xxxxxx: count the rest.
    std::size_t characters = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++characters;
    }
    // An average letter of a sans-serif face is a little over half its size.
    return double(characters) * size * 0.55;
}

}  // namespace present
