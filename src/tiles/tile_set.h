#pragma once

#include "state/surface.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace quilbrix {

// Size of a tile strip's surface: 16368 × 32 pixels, tiles side by side.
inline constexpr int StripWidth = 16368;
inline constexpr int StripHeight = 32;

// Mirror flags of a map entry, added to the tile index.
inline constexpr std::int32_t FlipHorizontal = 0x800;
inline constexpr std::int32_t FlipVertical = 0x400;

// The index field of a map entry holds 1024 values (bits 0-9).
inline constexpr int IndexLimit = 1024;

// How a cell matches a stored tile, in the order the build prefers them
// when a tile equals one of its own mirror images.
enum class MatchKind : std::uint8_t { AsIs, LeftRight, TopBottom, Both };

constexpr std::int32_t flagsOf(MatchKind kind)
{
    switch (kind) {
    case MatchKind::LeftRight: return FlipHorizontal;
    case MatchKind::TopBottom: return FlipVertical;
    case MatchKind::Both: return FlipHorizontal | FlipVertical;
    default: return 0;
    }
}

struct TileMatch {
    int index = 0;
    MatchKind kind = MatchKind::AsIs;
    bool created = false; // the cell became a new tile
};

namespace detail {

// One random 32-bit key per pixel position of a tile.
inline constexpr std::array<std::uint32_t, 32 * 32> TileHashKeys = [] {
    std::array<std::uint32_t, 32 * 32> keys {};
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    for (auto& k : keys) {
        state += 0x9E3779B97F4A7C15u;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        k = static_cast<std::uint32_t>(z ^ (z >> 31));
    }
    return keys;
}();

} // namespace detail

// Adds to `sum` the part of a tile's hash that row `py` of the tile
// contributes, `row` pointing at that row's Size pixels. The hash is of the
// NH family: each pair of keyed pixels is multiplied into a 64-bit sum. The
// products do not depend on one another, so they run side by side, and a
// tile can be hashed row by row straight from a plane.
template <int Size> void addRowToHash(std::uint64_t& sum, const Colour* row, int py)
{
    const std::uint32_t* keys = detail::TileHashKeys.data() + static_cast<std::size_t>(py) * Size;
    std::uint64_t h = 0;
    for (int i = 0; i < Size; i += 2)
        h += static_cast<std::uint64_t>(row[i] + keys[i])
            * static_cast<std::uint32_t>(row[i + 1] + keys[i + 1]);
    sum += h;
}

// Mixes a sum of row parts into the tile's hash.
constexpr std::uint64_t finishHash(std::uint64_t h)
{
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDu;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53u;
    h ^= h >> 33;
    return h;
}

// Hash of a Size × Size image held row by row.
template <int Size> std::uint64_t tileHash(const Colour* image)
{
    std::uint64_t sum = 0;
    for (int py = 0; py < Size; ++py)
        addRowToHash<Size>(sum, image + py * Size, py);
    return finishHash(sum);
}

// The distinct tiles of one plane's pass, for tiles of Size × Size pixels.
// Tiles are stored side by side in the plane's strip, tile i at x = i·Size,
// and found again through a hash of their pixels in each orientation in
// play, confirmed by an exact comparison.
//
// This finds the same tile, with the same flags, as comparing the cell with
// every stored tile in index order: no two stored tiles are equal or mirror
// images of each other, so a cell matches at most one of them, and each
// tile's orientations are registered in the order as is, left-right,
// top-bottom, both, leaving out an orientation whose image equals an earlier
// one, so the preferred flags win for symmetric tiles.
template <int Size> class TileSet {
public:
    static constexpr int Pixels = Size * Size;

    TileSet(Surface& strip, bool mirrorMatching)
        : strip_(strip)
        , mirrorMatching_(mirrorMatching)
    {
        storable_ = Size <= strip.height() ? strip.width() / Size : 0;
        // At most four orientations per storable tile; the table stays at
        // most half full, so probes are short, and it never grows.
        const std::size_t entries = static_cast<std::size_t>(storable_) * (mirrorMatching ? 4 : 1);
        const std::size_t capacity = std::bit_ceil(std::max<std::size_t>(2 * entries, 16));
        shift_ = 64 - std::countr_zero(capacity);
        slots_.resize(capacity);
    }

    // The stored tile that a cell matches, or a new tile made from it at the
    // next index. `hash` is tileHash of the cell; `pixels()` gives its Size²
    // pixels row by row and is called only when they are needed: to confirm
    // a hash hit, or to store a new tile that falls inside the strip.
    template <class PixelSource> TileMatch addTile(std::uint64_t hash, PixelSource&& pixels)
    {
        const Colour* cell = nullptr;
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = slotOf(hash); slots_[i].index >= 0; i = (i + 1) & mask) {
            const Slot& slot = slots_[i];
            if (slot.hash != hash)
                continue;
            if (cell == nullptr)
                cell = pixels();
            if (matches(cell, slot))
                return TileMatch { slot.index, slot.kind, false };
        }
        const int index = count_++;
        if (static_cast<long long>(index) * Size < strip_.width())
            store(cell != nullptr ? cell : pixels(), index);
        return TileMatch { index, MatchKind::AsIs, true };
    }

    TileMatch addTile(const Colour* cell)
    {
        return addTile(tileHash<Size>(cell), [cell] { return cell; });
    }

    // Whether tile `index` lies wholly inside the strip, so that later cells
    // can match it. A tile cut off at the strip's edge never matches again:
    // the strip reads InvalidColour beyond its edge and no plane pixel holds
    // that value.
    bool canMatchAgain(int index) const { return index < storable_; }

    int count() const { return count_; }

private:
    struct Slot {
        std::uint64_t hash = 0;
        std::int32_t index = -1; // -1: empty
        MatchKind kind = MatchKind::AsIs;
        std::uint32_t image = 0; // which registered image, in images_
    };

    std::size_t slotOf(std::uint64_t hash) const { return static_cast<std::size_t>(hash >> shift_); }

    // Whether `cell` equals the registered image of `slot`: tile slot.index
    // as the strip holds it, mirrored by slot.kind.
    bool matches(const Colour* cell, const Slot& slot) const
    {
        return std::memcmp(
                   cell, images_.data() + std::size_t { slot.image } * Pixels, sizeof(Colour) * Pixels)
            == 0;
    }

    void registerImage(const Colour* image, int index, MatchKind kind)
    {
        const std::uint64_t hash = tileHash<Size>(image);
        const auto number = static_cast<std::uint32_t>(images_.size() / Pixels);
        images_.insert(images_.end(), image, image + Pixels);
        const std::size_t mask = slots_.size() - 1;
        std::size_t i = slotOf(hash);
        while (slots_[i].index >= 0)
            i = (i + 1) & mask;
        slots_[i] = Slot { hash, index, kind, number };
    }

    static void orient(const Colour* image, bool flipX, bool flipY, Colour* out)
    {
        for (int y = 0; y < Size; ++y) {
            const Colour* src = image + (flipY ? Size - 1 - y : y) * Size;
            if (flipX)
                std::reverse_copy(src, src + Size, out + y * Size);
            else
                std::copy(src, src + Size, out + y * Size);
        }
    }

    void store(const Colour* cell, int index)
    {
        // Columns beyond the strip's right edge are dropped.
        const long long left = static_cast<long long>(index) * Size;
        const long long columns = std::min<long long>(Size, strip_.width() - left);
        const int rows = std::min(Size, strip_.height());
        for (int py = 0; py < rows; ++py)
            std::copy(cell + py * Size, cell + py * Size + columns, strip_.row(py) + left);

        if (!canMatchAgain(index))
            return;
        registerImage(cell, index, MatchKind::AsIs);
        if (!mirrorMatching_)
            return;

        // An orientation whose image equals an earlier one of the same tile
        // is left out: the earlier kind is the one the build prefers.
        Colour leftRight[Pixels], topBottom[Pixels], both[Pixels];
        orient(cell, true, false, leftRight);
        orient(cell, false, true, topBottom);
        orient(cell, true, true, both);
        const auto same = [](const Colour* a, const Colour* b) {
            return std::memcmp(a, b, sizeof(Colour) * Pixels) == 0;
        };
        const bool symmetricLeftRight = same(cell, leftRight);
        const bool symmetricTopBottom = same(cell, topBottom);
        const bool symmetricHalfTurn = same(cell, both);
        if (!symmetricLeftRight)
            registerImage(leftRight, index, MatchKind::LeftRight);
        // Top-bottom equals left-right exactly when the tile is half-turn
        // symmetric.
        if (!symmetricTopBottom && !symmetricHalfTurn)
            registerImage(topBottom, index, MatchKind::TopBottom);
        // Both ways equals left-right when the tile is top-bottom symmetric,
        // and top-bottom when it is left-right symmetric.
        if (!symmetricLeftRight && !symmetricTopBottom && !symmetricHalfTurn)
            registerImage(both, index, MatchKind::Both);
    }

    Surface& strip_;
    bool mirrorMatching_;
    int count_ = 0;
    int storable_;
    int shift_;
    std::vector<Slot> slots_;
    // The registered orientations of the tiles that can match again: the
    // strip's pixels of the tile, mirrored by the slot's kind.
    std::vector<Colour> images_;
};

} // namespace quilbrix
