#pragma once

#include "model/triangle.h"

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace fcw::testing::fuzz {

// The random numbers of the state fuzzer: every choice of a sequence comes from one generator
// seeded with the sequence's number, so a sequence replays exactly.
using Rng = std::mt19937_64;

inline int uniform(Rng& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}
inline bool chance(Rng& rng, double p) {
    return std::bernoulli_distribution(p)(rng);
}
template <typename T> const T& pick(Rng& rng, const std::vector<T>& items) {
    return items[static_cast<std::size_t>(uniform(rng, 0, static_cast<int>(items.size()) - 1))];
}

// `count` random triangles: coordinates mostly within a window's reach, some on the grids,
// some far out, a few degenerate (a repeated corner).
std::vector<TriangleCore> randomTriangles(Rng& rng, int count);

// The size of a sequence's starting model: empty or small mostly, now and then 2960 or more
// and at the limit itself (2999 and 3000 triangles).
int randomModelSize(Rng& rng);

void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// Files the sequences open and import, made once from a fixed seed: native documents (valid,
// truncated, bit-flipped, with bad counts and headers), text type 1 and 2 and DXF (valid, at
// and past the slot limit, truncated, mangled) and noise. A sequence may save over one of them
// (File > Save writes back to the opened document), so restore() puts back every file whose
// size or time stamp changed.
class FilePool {
  public:
    explicit FilePool(const std::filesystem::path& dir);
    void restore();
    // A file to open: one of the 3000-triangle ones now and then, a small one mostly (large
    // models make every later event of a sequence slow).
    const std::string& pickOpenPath(Rng& rng) const;
    // A foreign file to import: small ones of every format, valid and damaged, an OBJ without
    // its .mtl, and one past the store's capacity.
    const std::string& pickImportPath(Rng& rng) const { return pick(rng, foreignPaths_); }

  private:
    struct Entry {
        std::filesystem::path path;
        std::vector<std::uint8_t> bytes;
        std::filesystem::file_time_type time;
    };
    void add(const std::string& name, std::vector<std::uint8_t> bytes);
    void addForeignFiles(Rng& rng);

    std::filesystem::path dir_;
    std::vector<Entry> files_;
    std::vector<std::string> paths_;
    std::vector<std::string> largePaths_;
    std::vector<std::string> foreignPaths_;
};

} // namespace fcw::testing::fuzz
