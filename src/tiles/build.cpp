#include "tiles/build.h"

#include "state/error.h"
#include "tiles/map_matrix.h"

#include <cstring>
#include <new>
#include <string>

namespace quilbrix {

namespace {

// Copies the Size × Size cell (c, r) of `plane` into `out`, row by row.
template <int Size> void readCell(const Surface& plane, int c, int r, Colour* out)
{
    const int x0 = c * Size;
    const int y0 = r * Size;
    if (x0 + Size <= plane.width() && y0 + Size <= plane.height()) {
        for (int py = 0; py < Size; ++py)
            std::memcpy(out + py * Size, plane.row(y0 + py) + x0, sizeof(Colour) * Size);
        return;
    }
    // A control larger than its surface: reads outside give InvalidColour,
    // as the surface contract says.
    for (int py = 0; py < Size; ++py)
        for (int px = 0; px < Size; ++px)
            out[py * Size + px] = plane.pixel(x0 + px, y0 + py);
}

// Whether the cells of cell row r lie wholly inside the plane's surface,
// so they can be read straight from its rows.
template <int Size> bool rowInside(const Surface& plane, int r, int cols)
{
    return cols * Size <= plane.width() && (r + 1) * Size <= plane.height();
}

// Whether cell (c, r), wholly inside the plane, equals `image`. Matches are
// the common outcome, so every pixel is compared without early exits, two
// pixels to a 64-bit word.
template <int Size> bool cellEquals(const Surface& plane, int c, int r, const Colour* image)
{
    std::uint64_t differ = 0;
    for (int py = 0; py < Size; ++py) {
        const Colour* line = plane.row(r * Size + py) + c * Size;
        const Colour* want = image + py * Size;
        for (int px = 0; px < Size; px += 2) {
            std::uint64_t a, b;
            std::memcpy(&a, line + px, sizeof a);
            std::memcpy(&b, want + px, sizeof b);
            differ |= a ^ b;
        }
    }
    return differ == 0;
}

void prefetch(const void* address)
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

// The cells of a plane sorted into classes of exactly equal pixels.
//
// The build must visit cells column by column, but the plane is stored row
// by row: walking a cell column down a large plane touches a new memory page
// for every pixel row. So the plane is first read once in row order, cell
// row by cell row: every cell gets its hash and, when an earlier cell in row
// order has the same pixels, that cell's class. The column-by-column pass
// then reads these in its own order and reads pixels again only for the few
// cells that need them.
template <int Size> class CellClasses {
public:
    static constexpr int Pixels = Size * Size;
    static constexpr int Single = -1;

    CellClasses(const Surface& plane, int cols, int rows)
        : plane_(plane)
        , rows_(rows)
        , hashes_(cellCount(cols, rows))
        , classOf_(cellCount(cols, rows))
    {
        const std::size_t cells = cellCount(cols, rows);
        resize(std::bit_ceil(
            std::max<std::size_t>(2 * std::min<std::size_t>(cells, std::size_t { 1 } << 21), 1024)));
        classes_.reserve(std::min<std::size_t>(cells, std::size_t { 1 } << 16));
        // A few cells of a cell row at a time: their hashes, summed row by
        // row as the plane lies in memory, then their table slots fetched
        // together so the look-ups of a large plane overlap, then the
        // look-ups, which compare pixels still in the cache.
        constexpr int Chunk = 32;
        std::uint64_t chunkHashes[Chunk];
        Colour cell[Pixels];
        Colour other[Pixels];
        for (int r = 0; r < rows; ++r) {
            const bool inside = rowInside<Size>(plane, r, cols);
            for (int c0 = 0; c0 < cols; c0 += Chunk) {
                const int c1 = std::min(cols, c0 + Chunk);
                if (inside) {
                    std::fill(chunkHashes, chunkHashes + Chunk, 0);
                    for (int py = 0; py < Size; ++py) {
                        const Colour* line = plane.row(r * Size + py);
                        for (int c = c0; c < c1; ++c)
                            addRowToHash<Size>(chunkHashes[c - c0], line + c * Size, py);
                    }
                    for (auto& h : chunkHashes)
                        h = finishHash(h);
                } else {
                    for (int c = c0; c < c1; ++c) {
                        readCell<Size>(plane, c, r, cell);
                        chunkHashes[c - c0] = tileHash<Size>(cell);
                    }
                }
                for (int c = c0; c < c1; ++c)
                    prefetch(&slots_[slotOf(chunkHashes[c - c0])]);
                for (int c = c0; c < c1; ++c) {
                    const std::uint64_t hash = chunkHashes[c - c0];
                    const auto tag = static_cast<std::uint32_t>(hash);
                    const std::size_t mask = slots_.size() - 1;
                    int found = -1;
                    for (std::size_t i = slotOf(hash); slots_[i].k >= 0; i = (i + 1) & mask) {
                        const int k = slots_[i].k;
                        Class& known = classes_[static_cast<std::size_t>(k)];
                        if (slots_[i].tag != tag || known.hash != hash)
                            continue;
                        const Colour* image = pixels(k, other);
                        bool same;
                        if (inside) {
                            same = cellEquals<Size>(plane, c, r, image);
                        } else {
                            readCell<Size>(plane, c, r, cell);
                            same = std::memcmp(cell, image, sizeof cell) == 0;
                        }
                        if (same) {
                            known.repeated = true;
                            found = k;
                            break;
                        }
                    }
                    if (found < 0) {
                        found = static_cast<int>(classes_.size());
                        classes_.push_back(Class { hash, c, r, -1, false });
                        insert(hash, found);
                    }
                    hashes_[index(c, r)] = hash;
                    classOf_[index(c, r)] = found;
                }
            }
        }
        // Cells alone in their class need no shared outcome: mark them, in
        // row order again, where the class numbers run in step.
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                int& k = classOf_[index(c, r)];
                if (!classes_[static_cast<std::size_t>(k)].repeated)
                    k = Single;
            }
    }

    int classCount() const { return static_cast<int>(classes_.size()); }
    // The class of cell (c, r), or Single when no other cell has its pixels.
    int classOf(int c, int r) const { return classOf_[index(c, r)]; }
    std::uint64_t hashOf(int c, int r) const { return hashes_[index(c, r)]; }

    // The pixels of class k, kept in a compact copy from the first time
    // they are asked for, so classes that repeat are compared from it.
    const Colour* pixels(int k, Colour* scratch)
    {
        Class& info = classes_[static_cast<std::size_t>(k)];
        if (info.copy < 0) {
            readCell<Size>(plane_, info.c, info.r, scratch);
            info.copy = static_cast<std::ptrdiff_t>(copies_.size());
            copies_.insert(copies_.end(), scratch, scratch + Pixels);
        }
        return copies_.data() + info.copy;
    }

private:
    struct Class {
        std::uint64_t hash;
        int c, r; // the first cell of the class, in row order
        std::ptrdiff_t copy; // offset in copies_, or -1
        bool repeated; // a later cell has the same pixels
    };

    // A class in the table, with the low half of its hash so that most
    // probes are settled without reading the class.
    struct Slot {
        std::uint32_t tag = 0;
        int k = -1; // -1: empty
    };

    static std::size_t cellCount(int cols, int rows)
    {
        return static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows);
    }

    // Scan order, so the column-by-column pass reads straight on.
    std::size_t index(int c, int r) const
    {
        return static_cast<std::size_t>(c) * static_cast<std::size_t>(rows_) + static_cast<std::size_t>(r);
    }

    std::size_t slotOf(std::uint64_t hash) const { return static_cast<std::size_t>(hash >> shift_); }

    void insert(std::uint64_t hash, int k)
    {
        if (2 * classes_.size() > slots_.size())
            resize(2 * slots_.size());
        else
            place(hash, k);
    }

    void place(std::uint64_t hash, int k)
    {
        const std::size_t mask = slots_.size() - 1;
        std::size_t i = slotOf(hash);
        while (slots_[i].k >= 0)
            i = (i + 1) & mask;
        slots_[i] = Slot { static_cast<std::uint32_t>(hash), k };
    }

    void resize(std::size_t capacity)
    {
        slots_.assign(capacity, Slot {});
        shift_ = 64 - std::countr_zero(capacity);
        for (std::size_t k = 0; k < classes_.size(); ++k)
            place(classes_[k].hash, static_cast<int>(k));
    }

    const Surface& plane_;
    int rows_;
    std::vector<std::uint64_t> hashes_;
    std::vector<int> classOf_;
    std::vector<Class> classes_;
    std::vector<Colour> copies_;
    std::vector<Slot> slots_;
    int shift_ = 0;
};

template <int Size>
int buildCells(const Surface& plane, Surface& strip, MatrixControl& matrix, Map& map, int gaugeBase,
    bool mirrorMatching, Gauge& gauge)
{
    const int cols = map.cols;
    const int rows = map.rows;
    CellClasses<Size> classes(plane, cols, rows);
    TileSet<Size> tiles(strip, mirrorMatching);

    // What the first cell of each class got. Later cells of the class get
    // the same, since the tiles stored meanwhile are neither equal to nor
    // mirror images of an earlier one: a class matches the tile it matched,
    // or the tile it became. A class whose tile was cut off at the strip's
    // edge matches nothing, so each of its cells becomes a new tile again.
    enum class Seen : std::uint8_t { Not, Settled, CutOff };
    struct Outcome {
        int index = 0;
        MatchKind kind = MatchKind::AsIs;
        Seen seen = Seen::Not;
    };
    std::vector<Outcome> outcomes(static_cast<std::size_t>(classes.classCount()));
    Colour scratch[Size * Size];

    MatrixCells numbers(matrix.surface(), cols, rows);

    for (int c = 0; c < cols; ++c) {
        const int progress = c * 50 / cols + gaugeBase;
        for (int r = 0; r < rows; ++r) {
            const int k = classes.classOf(c, r);
            const std::uint64_t hash = classes.hashOf(c, r);
            TileMatch match;
            if (k == CellClasses<Size>::Single) {
                match = tiles.addTile(hash, [&] {
                    readCell<Size>(plane, c, r, scratch);
                    return scratch;
                });
            } else {
                Outcome& outcome = outcomes[static_cast<std::size_t>(k)];
                match = TileMatch { outcome.index, outcome.kind, false };
                if (outcome.seen != Seen::Settled) {
                    match = tiles.addTile(hash, [&] { return classes.pixels(k, scratch); });
                    if (outcome.seen == Seen::Not) {
                        const bool settled = !match.created || tiles.canMatchAgain(match.index);
                        outcome = Outcome { match.index, match.kind, settled ? Seen::Settled : Seen::CutOff };
                    }
                }
            }
            const std::int32_t flags = flagsOf(match.kind);
            // The entry is the arithmetic sum: past index 1023 the index runs
            // into the flag bits, as readers of the files expect.
            map.at(c, r) = match.index + flags;
            numbers.set(c, r, match.index, flags);
            gauge.setProgress(progress);
        }
    }
    numbers.paint(matrix);
    return tiles.count();
}

} // namespace

PlaneBuild BuildPlane(PictureControl& plane, PictureControl& strip, MatrixControl& matrix,
    std::optional<Map>& map, Label& countLabel, int gaugeBase, int tileSize, bool mirrorMatching,
    Gauge& gauge)
{
    assert(tileSize == 8 || tileSize == 16 || tileSize == 32);
    const int cols = plane.width() / tileSize;
    const int rows = plane.height() / tileSize;

    // The earlier map goes first, so a failed allocation leaves no map of an
    // earlier build beside this build's results.
    map.reset();
    map = createMap(cols, rows, tileSize);

    prepareDisplays(strip, matrix);
    const Surface& pixels = plane.surface();
    Surface& stripSurface = strip.surface();
    int count = 0;
    try {
        switch (tileSize) {
        case 8:
            count = buildCells<8>(pixels, stripSurface, matrix, *map, gaugeBase, mirrorMatching, gauge);
            break;
        case 16:
            count = buildCells<16>(pixels, stripSurface, matrix, *map, gaugeBase, mirrorMatching, gauge);
            break;
        default:
            count = buildCells<32>(pixels, stripSurface, matrix, *map, gaugeBase, mirrorMatching, gauge);
            break;
        }
    } catch (const std::bad_alloc&) {
        // A half-built map must not be saved as if it were whole.
        map.reset();
        throw Error("Mémoire insuffisante pour construire les tuiles d'un plan de " + std::to_string(cols)
            + " x " + std::to_string(rows) + " cases");
    }

    finishDisplays(strip, matrix, count, tileSize, cols, rows);
    countLabel.caption = std::to_string(count);
    return PlaneBuild { count, tileLimit(tileSize) };
}

BuildReport buildMaps(WorkingState& state, bool mirrorMatching)
{
    const int size = state.TileSize;
    BuildReport report;
    report.sprite = BuildPlane(state.Image1, state.Image5, state.Image8, state.SpriteMap, state.Label23, 0,
        size, mirrorMatching, state.CGauge1);
    state.CGauge1.setProgress(50);
    report.background = BuildPlane(state.Image2, state.Image6, state.Image9, state.BackgroundMap,
        state.Label26, 50, size, mirrorMatching, state.CGauge1);
    state.CGauge1.setProgress(0);
    return report;
}

} // namespace quilbrix
