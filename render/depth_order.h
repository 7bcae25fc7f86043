#pragma once

#include <cstdint>
#include <span>

namespace fcw {

class Editor;

// Fills order[0 .. n] with the indices 0 .. n in ascending order of keys[index] (farthest
// first). Among equal keys the higher index comes first, so on ties the lower index is painted
// later, in front. This is exactly the order of an insertion sort that places each index before
// the first entry whose key is not smaller; NaN keys, which compare with nothing, keep that
// order too. A negative n leaves `order` untouched.
void sortByDepth(std::span<const double> keys, int n, std::span<std::int16_t> order);

// Sorts the editor's drawOrder by the store's depth keys. While a tool other than drawing or
// sphere has an operation under way, the free slot after the last triangle is included too.
void sortByDepth(Editor& editor);

// The last drawOrder position a pick looks at: the sorted range (which may hold the free slot
// after the last triangle), or the whole model when it grew since the last sort.
int drawOrderScanLast(const Editor& editor);

} // namespace fcw
