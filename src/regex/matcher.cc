#include "regex/matcher.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "regex/errors.h"

namespace regex {

int32_t findUnit(const char16_t* text, int32_t from, int32_t length, char16_t unit) {
  int32_t index = from;
  if constexpr (std::endian::native == std::endian::little) {
    // Four units at a time: a lane equal to `unit` becomes zero, and the lowest zero lane is
    // found exactly by the borrow trick (higher lanes may be false alarms, never lower ones).
    constexpr uint64_t kOnes = 0x0001000100010001ull;
    constexpr uint64_t kHighs = 0x8000800080008000ull;
    const uint64_t pattern = kOnes * unit;
    for (; index + 4 <= length; index += 4) {
      uint64_t word;
      std::memcpy(&word, text + index, sizeof word);
      const uint64_t lanes = word ^ pattern;
      const uint64_t zero = (lanes - kOnes) & ~lanes & kHighs;
      if (zero != 0) return index + std::countr_zero(zero) / 16;
    }
  }
  for (; index < length; ++index) {
    if (text[index] == unit) return index;
  }
  return -1;
}

Matcher::Matcher(const Program& program, std::u16string_view text)
    : program_(program), text_(text.data()) {
  if (static_cast<int64_t>(text.size()) > kMaxTextLength) throw LimitExceeded();
  length_ = static_cast<int32_t>(text.size());
  captures_.assign(2 * (program.groupCount + 1), -1);
  registers_.assign(program.registerCount, 0);
  captureEpochs_.assign(captures_.size(), 0);
  registerEpochs_.assign(registers_.size(), 0);
  stepLimit_ = kBaseSteps + kStepsPerUnit * static_cast<int64_t>(length_);
  const auto& prefix = program.prefix;
  if (prefix.size() >= 2) {
    // The Horspool rule over prefix sets: a unit at the window's last position that no earlier
    // position admits lets the window move past it.
    const int32_t width = static_cast<int32_t>(prefix.size());
    for (int bucket = 0; bucket < 256; ++bucket) {
      int32_t shift = width;
      for (int32_t distance = 1; distance < width; ++distance) {
        if (prefix[width - 1 - distance].mayContain(static_cast<char16_t>(bucket))) {
          shift = distance;
          break;
        }
      }
      shift_[bucket] = static_cast<uint8_t>(shift);
    }
  }
}

bool Matcher::search(int32_t from, Match& match) {
  for (int32_t start = from;; ++start) {
    start = nextCandidate(start);
    if (start < 0) return false;
    if (program_.pureLiteral) {
      match.spans.assign(2, start);
      match.spans[1] = start + static_cast<int32_t>(program_.literal.size());
      return true;
    }
    if (run(start)) {
      match.spans = captures_;
      return true;
    }
  }
}

int32_t Matcher::findLiteral(int32_t from) const {
  const std::u16string& literal = program_.literal;
  const auto size = static_cast<int32_t>(literal.size());
  const int32_t last = length_ - size;
  for (int32_t at = from; at <= last; ++at) {
    at = findUnit(text_, at, last + 1, literal[0]);
    if (at < 0) return -1;
    if (std::equal(literal.begin() + 1, literal.end(), text_ + at + 1)) return at;
  }
  return -1;
}

bool Matcher::requiredUnitAhead(int32_t from) {
  if (from < requiredFrom_ || (requiredAt_ >= 0 && requiredAt_ < from)) {
    requiredFrom_ = from;
    requiredAt_ = findUnit(text_, from, length_, static_cast<char16_t>(program_.requiredUnit));
  }
  return requiredAt_ >= 0;
}

int32_t Matcher::nextCandidate(int32_t from) {
  const int32_t last = length_ - program_.minLength;
  if (from > last) return -1;
  if (program_.anchoredStart) return from == 0 ? 0 : -1;
  if (program_.pureLiteral) return findLiteral(from);
  if (program_.requiredUnit >= 0 && !requiredUnitAhead(from)) return -1;
  const auto& prefix = program_.prefix;
  const auto width = static_cast<int32_t>(prefix.size());
  if (width == 0) return from;
  if (width == 1) {
    for (int32_t at = from; at <= last; ++at) {
      if (prefix[0].mayContain(text_[at])) return at;
    }
    return -1;
  }
  for (int32_t at = from; at <= last;) {
    const char16_t unit = text_[at + width - 1];
    if (!prefix[width - 1].mayContain(unit)) {
      at += shift_[unit & 0xFF];
      continue;
    }
    int32_t offset = 0;
    while (offset < width - 1 && prefix[offset].mayContain(text_[at + offset])) ++offset;
    if (offset == width - 1) return at;
    ++at;
  }
  return -1;
}

void Matcher::countSteps(int64_t steps) {
  steps_ += steps;
  if (steps_ > stepLimit_) throw LimitExceeded();
}

void Matcher::push(EntryKind kind, int32_t pc, int32_t a, int32_t b) {
  if (stack_.size() >= kMaxBacktrackEntries) throw LimitExceeded();
  stack_.push_back({kind, pc, a, b});
}

void Matcher::pushChoice(EntryKind kind, int32_t pc, int32_t a, int32_t b) {
  push(kind, pc, a, b);
  ++epoch_;
}

// One undo record per slot and choice is enough: backtracking to any choice passes the first
// record made after it, which holds the value the choice saw.
void Matcher::setCapture(int32_t slot, int32_t value) {
  if (captureEpochs_[slot] != epoch_) {
    push(EntryKind::kUndoCapture, slot, captures_[slot]);
    captureEpochs_[slot] = epoch_;
  }
  captures_[slot] = value;
}

void Matcher::setRegister(int32_t index, int32_t value) {
  if (registerEpochs_[index] != epoch_) {
    push(EntryKind::kUndoRegister, index, registers_[index]);
    registerEpochs_[index] = epoch_;
  }
  registers_[index] = value;
}

int32_t Matcher::runEnd(const CharClass& units, int32_t from, int32_t most) const {
  while (from < most && units.contains(text_[from])) ++from;
  return from;
}

int32_t Matcher::runEnd(char16_t unit, int32_t from, int32_t most) const {
  while (from < most && text_[from] == unit) ++from;
  return from;
}

bool Matcher::run(int32_t start) {
  std::fill(captures_.begin(), captures_.end(), -1);
  stack_.clear();
  ++epoch_;
  topBarrier_ = -1;
  pc_ = 0;
  position_ = start;
  const Instruction* code = program_.code.data();
  while (true) {
    countSteps(1);
    const Instruction& instruction = code[pc_];
    bool ok = true;
    switch (instruction.op) {
      case Op::kUnit:
        ok = position_ < length_ && text_[position_] == instruction.a;
        if (ok) ++position_;
        break;
      case Op::kLiteral: {
        const char16_t* literal = program_.literals.data() + instruction.a;
        ok = length_ - position_ >= instruction.b &&
             std::equal(literal, literal + instruction.b, text_ + position_);
        if (ok) position_ += instruction.b;
        break;
      }
      case Op::kClass:
        ok = position_ < length_ && program_.classes[instruction.a].contains(text_[position_]);
        if (ok) ++position_;
        break;
      case Op::kSplit: {
        // An alternative whose first unit cannot be the next unit is not tried.
        const bool firstMay = mayBeginHere(instruction.c);
        if (mayBeginHere(instruction.d)) {
          if (!firstMay) {
            pc_ = instruction.b;
            continue;
          }
          pushChoice(EntryKind::kChoice, instruction.b, position_);
        }
        if (!firstMay) {
          ok = false;
          break;
        }
        pc_ = instruction.a;
        continue;
      }
      case Op::kJump:
        pc_ = instruction.a;
        continue;
      case Op::kGroupStart:
        setRegister(instruction.a, position_);
        break;
      case Op::kGroupEnd:
        setCapture(2 * instruction.a, registers_[instruction.a]);
        setCapture(2 * instruction.a + 1, position_);
        break;
      case Op::kLineStart:
        ok = position_ == 0;
        break;
      case Op::kLineEnd:
        ok = position_ == length_;
        break;
      case Op::kWordBoundary:
      case Op::kNotWordBoundary: {
        const bool before = position_ > 0 && isWordUnit(text_[position_ - 1]);
        const bool after = position_ < length_ && isWordUnit(text_[position_]);
        ok = (before != after) == (instruction.op == Op::kWordBoundary);
        break;
      }
      case Op::kBackReference: {
        // A group that took no part matches the empty string.
        const int32_t from = captures_[2 * instruction.a];
        const int32_t to = captures_[2 * instruction.a + 1];
        if (from < 0 || to < 0) break;
        const int32_t size = to - from;
        ok = length_ - position_ >= size && std::equal(text_ + from, text_ + to, text_ + position_);
        if (ok) position_ += size;
        countSteps(size);
        break;
      }
      case Op::kLookStart:
        pushChoice(EntryKind::kBarrier, pc_, position_, topBarrier_);
        topBarrier_ = static_cast<int32_t>(stack_.size()) - 1;
        break;
      case Op::kLookEnd:
        if (endLookahead()) continue;
        ok = false;
        break;
      case Op::kRunGreedy: {
        const int32_t first = position_;
        const auto most =
            static_cast<int32_t>(std::min<int64_t>(length_, int64_t{first} + instruction.c));
        position_ = instruction.flag ? runEnd(program_.classes[instruction.a], first, most)
                                     : runEnd(static_cast<char16_t>(instruction.a), first, most);
        countSteps(position_ - first);
        const int32_t taken = position_ - first;
        ok = taken >= instruction.b;
        if (ok && taken > instruction.b) {
          pushChoice(EntryKind::kGreedyRun, pc_ + 1, first + instruction.b, position_);
        }
        break;
      }
      case Op::kRunLazy: {
        for (int32_t round = 0; ok && round < instruction.b; ++round) {
          ok = position_ < length_ && elementMatches(instruction, text_[position_]);
          if (ok) ++position_;
        }
        countSteps(instruction.b);
        if (ok && instruction.c > instruction.b) {
          pushChoice(EntryKind::kLazyRun, pc_, position_, position_);
        }
        break;
      }
      case Op::kLoopInit:
        setRegister(instruction.a, 0);
        break;
      case Op::kLoopEntry: {
        const int32_t count = registers_[instruction.a];
        if (count < instruction.b) break;  // below the minimum: iterate
        if (count >= instruction.c) {
          pc_ = instruction.d;
          continue;
        }
        if (instruction.flag) {
          pushChoice(EntryKind::kChoice, instruction.d, position_);
        } else {
          pushChoice(EntryKind::kChoice, pc_ + 1, position_);
          pc_ = instruction.d;
          continue;
        }
        break;
      }
      case Op::kLoopIterate:
        setRegister(instruction.a, position_);
        for (int32_t group = instruction.b; group < instruction.b + instruction.c; ++group) {
          if (captures_[2 * group] >= 0 || captures_[2 * group + 1] >= 0) {
            setCapture(2 * group, -1);
            setCapture(2 * group + 1, -1);
          }
        }
        break;
      case Op::kLoopBack: {
        // An optional iteration that matched the empty string fails, which ends loops such
        // as (a*)* that could otherwise go round for ever.
        const int32_t count = registers_[instruction.a];
        if (count >= instruction.b && position_ == registers_[instruction.d]) {
          ok = false;
          break;
        }
        // Past its minimum an unbounded loop need not count any more.
        if (!instruction.flag || count < instruction.b) setRegister(instruction.a, count + 1);
        pc_ = instruction.c;
        continue;
      }
      case Op::kMatch:
        captures_[0] = start;
        captures_[1] = position_;
        return true;
    }
    if (ok) {
      ++pc_;
    } else if (!backtrack()) {
      return false;
    }
  }
}

// A lookahead's body has matched. A positive one keeps what its body captured but forgets the
// body's other choices; a negative one fails.
bool Matcher::endLookahead() {
  const int32_t index = topBarrier_;
  const Entry barrier = stack_[index];
  const Instruction& look = program_.code[barrier.pc];
  topBarrier_ = barrier.b;
  if (!look.flag) {
    size_t kept = index;
    for (size_t entry = index + 1; entry < stack_.size(); ++entry) {
      if (isUndo(stack_[entry])) stack_[kept++] = stack_[entry];
    }
    stack_.resize(kept);
    ++epoch_;
    position_ = barrier.a;
    pc_ = look.a;
    return true;
  }
  while (stack_.size() > static_cast<size_t>(index)) {
    const Entry& entry = stack_.back();
    if (entry.kind == EntryKind::kUndoCapture) captures_[entry.pc] = entry.a;
    if (entry.kind == EntryKind::kUndoRegister) registers_[entry.pc] = entry.a;
    stack_.pop_back();
  }
  return false;
}

bool Matcher::backtrack() {
  ++epoch_;
  while (!stack_.empty()) {
    Entry& entry = stack_.back();
    switch (entry.kind) {
      case EntryKind::kChoice:
        pc_ = entry.pc;
        position_ = entry.a;
        stack_.pop_back();
        return true;
      case EntryKind::kUndoCapture:
        captures_[entry.pc] = entry.a;
        stack_.pop_back();
        break;
      case EntryKind::kUndoRegister:
        registers_[entry.pc] = entry.a;
        stack_.pop_back();
        break;
      case EntryKind::kGreedyRun:
        pc_ = entry.pc;
        position_ = --entry.b;
        if (entry.b <= entry.a) stack_.pop_back();
        return true;
      case EntryKind::kLazyRun: {
        const Instruction& run = program_.code[entry.pc];
        const int64_t count = int64_t{run.b} + (entry.a - entry.b);
        if (count < run.c && entry.a < length_ && elementMatches(run, text_[entry.a])) {
          pc_ = entry.pc + 1;
          position_ = ++entry.a;
          if (count + 1 >= run.c) stack_.pop_back();
          return true;
        }
        stack_.pop_back();
        break;
      }
      case EntryKind::kBarrier: {
        // The body of a lookahead found no match: a negative one succeeds.
        const Entry barrier = entry;
        stack_.pop_back();
        topBarrier_ = barrier.b;
        const Instruction& look = program_.code[barrier.pc];
        if (look.flag) {
          pc_ = look.a;
          position_ = barrier.a;
          return true;
        }
        break;
      }
    }
  }
  return false;
}

}  // namespace regex
