#include "Pictures.h"

#include "pictures/car.xpm"
#include "pictures/door.xpm"
#include "pictures/exit-word.xpm"
#include "pictures/hand.xpm"
#include "pictures/pages.xpm"

#include <QImage>

#include <array>
#include <charconv>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

namespace {

// The first line's four numbers: width, height, colours, characters a pixel.
std::optional<std::array<int, 4>> readHeader(std::string_view line)
{
    std::array<int, 4> header{};
    for (int &value : header) {
        line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
        const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
        if (error != std::errc() || value < 0)
            return std::nullopt;
        line.remove_prefix(static_cast<std::size_t>(end - line.data()));
    }
    return header;
}

// "#RRGGBB" or "None".
std::optional<QRgb> readColour(std::string_view value)
{
    if (value == "None")
        return 0;
    unsigned rgb = 0;
    const char *const end = value.data() + value.size();
    if (value.size() != 7 || value.front() != '#'
        || std::from_chars(value.data() + 1, end, rgb, 16).ptr != end)
        return std::nullopt;
    return 0xFF000000 | rgb;
}

// Reads the XPM the pictures are kept in: one character a pixel, colours as
// "#RRGGBB" or "None". Qt's own reader handles every XPM and colour name but
// takes many times as long, enough to show in the window's start-up.
QImage readPicture(std::span<const char *const> lines)
{
    const auto header = readHeader(lines.front());
    if (!header)
        return {};
    const auto [width, height, colourCount, charactersPerPixel] = *header;
    if (charactersPerPixel != 1 || std::cmp_not_equal(lines.size(), 1LL + colourCount + height))
        return {};
    const auto colourLines = lines.subspan(1, static_cast<std::size_t>(colourCount));
    const auto rows = lines.subspan(1 + colourLines.size());

    std::array<QRgb, 256> colours{};
    for (const std::string_view line : colourLines) {
        if (line.size() < 4 || line.substr(1, 3) != " c ")
            return {};
        const auto colour = readColour(line.substr(4));
        if (!colour)
            return {};
        colours[static_cast<unsigned char>(line.front())] = *colour;
    }

    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y) {
        const std::string_view row = rows[static_cast<std::size_t>(y)];
        if (std::cmp_not_equal(row.size(), width))
            return {};
        auto *pixels = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            pixels[x] = colours[static_cast<unsigned char>(row[static_cast<std::size_t>(x)])];
    }
    return image;
}

} // namespace

QImage Pictures::image(Picture picture)
{
    switch (picture) {
    case Picture::None:
        return {};
    case Picture::Car:
        return readPicture(car);
    case Picture::Door:
        return readPicture(door);
    case Picture::Pages:
        return readPicture(pages);
    case Picture::ExitWord:
        return readPicture(exit_word);
    case Picture::Hand:
        return readPicture(hand);
    }
    return {};
}

QPixmap Pictures::pixmap(Picture picture)
{
    return QPixmap::fromImage(image(picture));
}
