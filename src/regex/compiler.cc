#include "regex/compiler.h"

#include "regex/errors.h"
#include "regex/search_hints.h"

namespace regex {

namespace {

class Compiler {
 public:
  explicit Compiler(Program& program) : program_(program) {}

  void emitNode(const Node& node) {
    switch (node.kind) {
      case NodeKind::kEmpty:
        return;
      case NodeKind::kUnit:
        emit({Op::kUnit, false, node.unit});
        return;
      case NodeKind::kClass:
        emitClass(node.units);
        return;
      case NodeKind::kSequence:
        emitSequence(node);
        return;
      case NodeKind::kAlternation:
        emitAlternation(node);
        return;
      case NodeKind::kGroup:
        if (node.group > 0) emit({Op::kGroupStart, false, node.group});
        emitNode(*node.children[0]);
        if (node.group > 0) emit({Op::kGroupEnd, false, node.group});
        return;
      case NodeKind::kRepeat:
        emitRepeat(node);
        return;
      case NodeKind::kLineStart:
        emit({Op::kLineStart});
        return;
      case NodeKind::kLineEnd:
        emit({Op::kLineEnd});
        return;
      case NodeKind::kWordBoundary:
        emit({Op::kWordBoundary});
        return;
      case NodeKind::kNotWordBoundary:
        emit({Op::kNotWordBoundary});
        return;
      case NodeKind::kLookahead: {
        const int32_t start = emit({Op::kLookStart, node.negative});
        emitNode(*node.children[0]);
        emit({Op::kLookEnd});
        program_.code[start].a = here();
        return;
      }
      case NodeKind::kBackReference:
        // The parser names only groups that exist; the matcher reads their slots unchecked.
        if (node.group > program_.groupCount) throw SyntaxError();
        emit({Op::kBackReference, false, node.group});
        return;
    }
  }

 private:
  int32_t here() const { return static_cast<int32_t>(program_.code.size()); }
  int32_t emit(Instruction instruction) {
    program_.code.push_back(instruction);
    return here() - 1;
  }
  int32_t newRegister() { return program_.registerCount++; }

  int32_t classIndex(const CharClass& units) {
    program_.classes.push_back(units);
    return static_cast<int32_t>(program_.classes.size()) - 1;
  }

  void emitClass(const CharClass& units) {
    char16_t unit = 0;
    if (units.single(unit)) {
      emit({Op::kUnit, false, unit});
    } else {
      emit({Op::kClass, false, classIndex(units)});
    }
  }

  // Runs of plain units become one literal, compared in one step.
  void emitSequence(const Node& node) {
    const auto& children = node.children;
    for (size_t index = 0; index < children.size();) {
      size_t end = index;
      while (end < children.size() && children[end]->kind == NodeKind::kUnit) ++end;
      if (end - index >= 2) {
        const auto offset = static_cast<int32_t>(program_.literals.size());
        for (size_t unit = index; unit < end; ++unit) program_.literals += children[unit]->unit;
        emit({Op::kLiteral, false, offset, static_cast<int32_t>(end - index)});
        index = end;
        continue;
      }
      emitNode(*children[index]);
      ++index;
    }
  }

  int32_t filterIndex(const UnitBuckets& units) {
    program_.filters.push_back(units);
    return static_cast<int32_t>(program_.filters.size()) - 1;
  }

  // Filters[i]: the first units of alternative i; rest[i]: those of alternatives i and after.
  void alternationFilters(const Node& node, std::vector<int32_t>& own, std::vector<int32_t>& rest) {
    const size_t count = node.children.size();
    own.assign(count, -1);
    rest.assign(count + 1, -1);
    std::vector<UnitBuckets> first;
    std::vector<bool> known;
    for (size_t index = 0; index < count; ++index) {
      known.push_back(firstUnits(*node.children[index], first.emplace_back()));
      if (known[index]) own[index] = filterIndex(first[index]);
    }
    UnitBuckets union_;
    for (size_t index = count; index-- > 0;) {
      if (!known[index]) break;
      union_.add(first[index]);
      rest[index] = index + 1 == count ? own[index] : filterIndex(union_);
    }
  }

  void emitAlternation(const Node& node) {
    std::vector<int32_t> jumpsToEnd;
    std::vector<int32_t> own, rest;
    alternationFilters(node, own, rest);
    const size_t count = node.children.size();
    for (size_t index = 0; index < count; ++index) {
      int32_t split = -1;
      if (index + 1 < count) {
        split = emit({Op::kSplit, false, here() + 1, 0, own[index], rest[index + 1]});
      }
      emitNode(*node.children[index]);
      if (index + 1 < count) {
        jumpsToEnd.push_back(emit({Op::kJump}));
        program_.code[split].b = here();
      }
    }
    for (int32_t jump : jumpsToEnd) program_.code[jump].a = here();
  }

  // The element a run repeats: a unit, a class, or a non-capturing group of one of them.
  static const Node* runElement(const Node& node) {
    if (node.kind == NodeKind::kUnit || node.kind == NodeKind::kClass) return &node;
    if (node.kind == NodeKind::kGroup && node.group == 0) return runElement(*node.children[0]);
    return nullptr;
  }

  void emitRepeat(const Node& node) {
    if (node.max == 0) return;  // never entered: its captures stay unset
    const Node& child = *node.children[0];
    if (const Node* element = runElement(child)) {
      Instruction run{node.greedy ? Op::kRunGreedy : Op::kRunLazy};
      char16_t unit = 0;
      if (element->kind == NodeKind::kUnit) {
        run.a = element->unit;
      } else if (element->units.single(unit)) {
        run.a = unit;
      } else {
        run.flag = true;
        run.a = classIndex(element->units);
      }
      run.b = node.min;
      run.c = node.max;
      emit(run);
      return;
    }
    if (node.min == 1 && node.max == 1) {
      emitNode(child);
      return;
    }
    const int32_t counter = newRegister();
    const int32_t start = newRegister();
    emit({Op::kLoopInit, false, counter});
    const int32_t entry = emit({Op::kLoopEntry, node.greedy, counter, node.min, node.max});
    emit({Op::kLoopIterate, false, start, node.firstGroup, node.groupCount});
    emitNode(child);
    emit({Op::kLoopBack, node.max == kUnbounded, counter, node.min, entry, start});
    program_.code[entry].d = here();
  }

  Program& program_;
};

}  // namespace

Program compile(const ParsedPattern& pattern) {
  Program program;
  program.groupCount = pattern.groupCount;
  program.registerCount = pattern.groupCount + 1;  // one start register per group
  Compiler compiler(program);
  compiler.emitNode(*pattern.root);
  program.code.push_back({Op::kMatch});
  addSearchHints(*pattern.root, program);
  return program;
}

}  // namespace regex
