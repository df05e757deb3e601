// Styled UTF-16 text: the units and the runs of equal character style over them.
#include <algorithm>

#include "objects.h"

namespace {

bool isPlain(const FM_CharacterStyle& style) { return style == FM_CharacterStyle{}; }

}  // namespace

FM_CharacterStyle FM_Text::styleAt(uint32_t position) const {
  if (runs.empty()) return {};
  auto after = std::upper_bound(runs.begin(), runs.end(), position,
                                [](uint32_t at, const StyleRun& run) { return at < run.start; });
  if (after == runs.begin()) return {};
  return std::prev(after)->style;
}

// Keeps the invariants: the first run starts at 0, neighbours differ, plain text has no runs.
// Only the runs around `index` can have become equal, so appends stay cheap.
static void mergeAround(std::vector<StyleRun>& runs, size_t index) {
  size_t low = index > 0 ? index - 1 : 0;
  size_t high = std::min(index + 2, runs.size());
  for (size_t i = high; i-- > low + 1;) {
    if (i < runs.size() && runs[i].style == runs[i - 1].style)
      runs.erase(runs.begin() + static_cast<std::ptrdiff_t>(i));
  }
  if (runs.size() == 1 && isPlain(runs[0].style)) runs.clear();
}

void FM_Text::setStyle(const FM_CharacterStyle& style, uint32_t position, uint32_t size) {
  const uint32_t total = static_cast<uint32_t>(units.size());
  if (position >= total || size == 0) return;
  const uint32_t end = size > total - position ? total : position + size;
  if (runs.empty()) {
    if (isPlain(style)) return;
    runs.push_back({0, {}});
  }
  const bool keepAfter = end < total;
  const FM_CharacterStyle after = keepAfter ? styleAt(end) : FM_CharacterStyle{};
  auto first = std::lower_bound(runs.begin(), runs.end(), position,
                                [](const StyleRun& run, uint32_t at) { return run.start < at; });
  auto last = std::lower_bound(first, runs.end(), end,
                               [](const StyleRun& run, uint32_t at) { return run.start < at; });
  const bool runAtEnd = last != runs.end() && last->start == end;
  const size_t index = static_cast<size_t>(first - runs.begin());
  first = runs.erase(first, last);
  first = runs.insert(first, StyleRun{position, style});
  if (keepAfter && !runAtEnd) runs.insert(first + 1, StyleRun{end, after});
  mergeAround(runs, index + 1);
  mergeAround(runs, index);
}

void FM_Text::appendRange(const FM_Text& other, uint32_t position, uint32_t size) {
  const uint32_t otherSize = static_cast<uint32_t>(other.units.size());
  if (position >= otherSize || size == 0) return;
  if (size > otherSize - position) size = otherSize - position;
  const uint32_t start = static_cast<uint32_t>(units.size());
  if (&other == this) {  // appending a text to itself: read from a copy
    const FM_Text copy = other;
    appendRange(copy, position, size);
    return;
  }
  units.append(other.units.data() + position, size);  // the range is already clipped
  if (other.runs.empty()) {
    if (!runs.empty()) setStyle({}, start, size);  // plain onto plain stays plain
    return;
  }
  auto run = std::upper_bound(other.runs.begin(), other.runs.end(), position,
                              [](uint32_t at, const StyleRun& r) { return at < r.start; });
  if (run != other.runs.begin()) --run;
  const uint32_t end = position + size;
  for (; run != other.runs.end() && run->start < end; ++run) {
    const uint32_t from = std::max(run->start, position);
    const uint32_t to = (run + 1 != other.runs.end()) ? std::min((run + 1)->start, end) : end;
    if (to > from) setStyle(run->style, start + from - position, to - from);
  }
}

void FM_Text::appendPlain(const std::u16string& more, const FM_CharacterStyle& style) {
  const uint32_t start = static_cast<uint32_t>(units.size());
  units += more;
  setStyle(style, start, static_cast<uint32_t>(more.size()));
}

void FM_Text::erase(uint32_t position, uint32_t size) {
  const uint32_t total = static_cast<uint32_t>(units.size());
  if (position >= total || size == 0) return;
  if (size > total - position) size = total - position;
  FM_Text kept;
  kept.appendRange(*this, 0, position);
  kept.appendRange(*this, position + size, total - position - size);
  *this = std::move(kept);
}

void FM_Text::insert(const FM_Text& other, uint32_t position) {
  const uint32_t total = static_cast<uint32_t>(units.size());
  if (position > total) position = total;
  FM_Text joined;
  joined.appendRange(*this, 0, position);
  joined.appendRange(other, 0, static_cast<uint32_t>(other.units.size()));
  joined.appendRange(*this, position, total - position);
  *this = std::move(joined);
}
