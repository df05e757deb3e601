// The backtracking matcher: runs a Program over one text. Its stack lives on the heap with a
// fixed ceiling and every step counts against a budget that grows with the text, so that any
// pattern over any text either answers or throws LimitExceeded; nothing in it recurses.
//
// One matcher belongs to one thread; the budget covers every search made through it, which is
// one walk over one text.
#ifndef REGEX_MATCHER_H_
#define REGEX_MATCHER_H_

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "regex/program.h"

namespace regex {

// Spans of one match: group 0 is the whole match; an unset group has -1 at both ends.
struct Match {
  std::vector<int32_t> spans;

  int32_t start(int32_t group = 0) const { return spans[2 * group]; }
  int32_t end(int32_t group = 0) const { return spans[2 * group + 1]; }
  bool participated(int32_t group) const { return spans[2 * group] >= 0; }
  int32_t groupCount() const { return static_cast<int32_t>(spans.size() / 2) - 1; }
};

// Ceilings: the longest text, the backtracking entries kept at once (16 bytes each), and the
// steps of one walk, a base plus a number per unit of text.
constexpr int64_t kMaxTextLength = INT32_MAX - 1;
constexpr size_t kMaxBacktrackEntries = size_t{1} << 21;
constexpr int64_t kBaseSteps = 10'000'000;
constexpr int64_t kStepsPerUnit = 64;

class Matcher {
 public:
  // Throws LimitExceeded for a text longer than kMaxTextLength. Both must outlive the matcher.
  Matcher(const Program& program, std::u16string_view text);
  Matcher(const Matcher&) = delete;
  Matcher& operator=(const Matcher&) = delete;

  // The first match that begins at or after `from` (at most the text's length); the units
  // before `from` stay visible to \b. Throws LimitExceeded when a bound is reached.
  bool search(int32_t from, Match& match);

 private:
  enum class EntryKind : uint8_t {
    kChoice,        // resume at pc, position a
    kUndoCapture,   // capture slot pc had the value a
    kUndoRegister,  // register pc had the value a
    kGreedyRun,     // continue at pc with one unit fewer than b, down to a
    kLazyRun,       // the run at pc stands at a, having consumed its minimum at b
    kBarrier,       // a lookahead at pc entered at position a; b is the barrier below
  };
  struct Entry {
    EntryKind kind;
    int32_t pc;
    int32_t a;
    int32_t b;
  };

  int32_t nextCandidate(int32_t from);
  int32_t findLiteral(int32_t from) const;
  bool requiredUnitAhead(int32_t from);
  bool run(int32_t start);
  bool backtrack();
  bool endLookahead();

  void push(EntryKind kind, int32_t pc, int32_t a, int32_t b = 0);
  void pushChoice(EntryKind kind, int32_t pc, int32_t a, int32_t b = 0);
  void setCapture(int32_t slot, int32_t value);
  void setRegister(int32_t index, int32_t value);
  bool isUndo(const Entry& entry) const {
    return entry.kind == EntryKind::kUndoCapture || entry.kind == EntryKind::kUndoRegister;
  }
  bool elementMatches(const Instruction& run, char16_t unit) const {
    return run.flag ? program_.classes[run.a].contains(unit) : unit == run.a;
  }
  void countSteps(int64_t steps);
  bool mayBeginHere(int32_t filter) const {
    return filter < 0 ||
           (position_ < length_ && program_.filters[filter].mayContain(text_[position_]));
  }
  // Where a run of `units` (or of `unit`) from `from` ends, at most at `most`.
  int32_t runEnd(const CharClass& units, int32_t from, int32_t most) const;
  int32_t runEnd(char16_t unit, int32_t from, int32_t most) const;

  const Program& program_;
  const char16_t* text_;
  int32_t length_;
  std::vector<int32_t> captures_;
  std::vector<int32_t> registers_;
  std::vector<Entry> stack_;
  // Bumped at every choice made or resumed; a slot saved in the current epoch needs no second
  // undo record.
  uint64_t epoch_ = 0;
  std::vector<uint64_t> captureEpochs_;
  std::vector<uint64_t> registerEpochs_;
  int32_t topBarrier_ = -1;
  int32_t pc_ = 0;
  int32_t position_ = 0;
  int64_t steps_ = 0;
  int64_t stepLimit_;
  // Where the required unit was last looked for and found (-1: not found from there on).
  int32_t requiredFrom_ = INT32_MAX;
  int32_t requiredAt_ = -1;
  // How far the prefix scan may move when the last prefix position rules a window out.
  std::array<uint8_t, 256> shift_{};
};

// The first position of `unit` in [from, length), or -1.
int32_t findUnit(const char16_t* text, int32_t from, int32_t length, char16_t unit);

}  // namespace regex

#endif  // REGEX_MATCHER_H_
