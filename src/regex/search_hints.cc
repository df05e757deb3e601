#include "regex/search_hints.h"

#include <algorithm>

namespace regex {

namespace {

constexpr size_t kMaxPrefix = 8;
// A prefix position that admits this many of the 256 buckets filters almost nothing.
constexpr int kWeakBuckets = 192;

int32_t saturatingAdd(int64_t a, int64_t b) {
  return static_cast<int32_t>(std::min<int64_t>(a + b, kUnbounded));
}

int32_t minLength(const Node& node) {
  switch (node.kind) {
    case NodeKind::kUnit:
    case NodeKind::kClass:
      return 1;
    case NodeKind::kSequence: {
      int32_t total = 0;
      for (const auto& child : node.children) total = saturatingAdd(total, minLength(*child));
      return total;
    }
    case NodeKind::kAlternation: {
      int32_t least = kUnbounded;
      for (const auto& child : node.children) least = std::min(least, minLength(*child));
      return least;
    }
    case NodeKind::kGroup:
      return minLength(*node.children[0]);
    case NodeKind::kRepeat:
      return static_cast<int32_t>(std::min<int64_t>(
          static_cast<int64_t>(node.min) * minLength(*node.children[0]), kUnbounded));
    default:
      return 0;
  }
}

bool anchoredStart(const Node& node) {
  switch (node.kind) {
    case NodeKind::kLineStart:
      return true;
    case NodeKind::kSequence:
      return anchoredStart(*node.children[0]);
    case NodeKind::kGroup:
      return anchoredStart(*node.children[0]);
    case NodeKind::kRepeat:
      return node.min > 0 && anchoredStart(*node.children[0]);
    case NodeKind::kAlternation:
      return std::all_of(node.children.begin(), node.children.end(),
                         [](const auto& child) { return anchoredStart(*child); });
    default:
      return false;
  }
}

int32_t requiredUnit(const Node& node) {
  switch (node.kind) {
    case NodeKind::kUnit:
    case NodeKind::kClass:
      return singleUnitOf(node);
    case NodeKind::kSequence: {
      int32_t found = -1;
      for (const auto& child : node.children) {
        const int32_t unit = requiredUnit(*child);
        if (unit >= 0) found = unit;
      }
      return found;
    }
    case NodeKind::kAlternation: {
      const int32_t first = requiredUnit(*node.children[0]);
      for (const auto& child : node.children) {
        if (requiredUnit(*child) != first) return -1;
      }
      return first;
    }
    case NodeKind::kGroup:
      return requiredUnit(*node.children[0]);
    case NodeKind::kRepeat:
      return node.min > 0 ? requiredUnit(*node.children[0]) : -1;
    default:
      return -1;
  }
}

// The units that can stand at each of the first positions of a match; `exact` when the node
// always matches exactly that many units, so that what follows it continues the list.
struct Prefix {
  std::vector<UnitBuckets> sets;
  bool exact = true;

  void append(const Prefix& other) {
    for (const UnitBuckets& set : other.sets) {
      if (sets.size() == kMaxPrefix) {
        exact = false;
        return;
      }
      sets.push_back(set);
    }
    exact = other.exact;
  }
};

Prefix prefixOf(const Node& node) {
  Prefix answer;
  switch (node.kind) {
    case NodeKind::kUnit: {
      CharClass unit;
      unit.add(node.unit);
      unit.finish();
      answer.sets.emplace_back().add(unit);
      return answer;
    }
    case NodeKind::kClass:
      answer.sets.emplace_back().add(node.units);
      return answer;
    case NodeKind::kSequence:
      for (const auto& child : node.children) {
        if (!answer.exact) break;
        answer.append(prefixOf(*child));
      }
      return answer;
    case NodeKind::kAlternation: {
      std::vector<Prefix> choices;
      size_t shortest = kMaxPrefix;
      for (const auto& child : node.children) {
        choices.push_back(prefixOf(*child));
        shortest = std::min(shortest, choices.back().sets.size());
      }
      answer.sets.resize(shortest);
      for (const Prefix& choice : choices) {
        for (size_t index = 0; index < shortest; ++index)
          answer.sets[index].add(choice.sets[index]);
        answer.exact = answer.exact && choice.exact && choice.sets.size() == shortest;
      }
      return answer;
    }
    case NodeKind::kGroup:
      return prefixOf(*node.children[0]);
    case NodeKind::kRepeat: {
      if (node.max == 0) return answer;
      if (node.min == 0) {
        answer.exact = false;
        return answer;
      }
      const Prefix once = prefixOf(*node.children[0]);
      if (once.sets.empty()) return once;  // repeating what matches no unit adds none
      for (int32_t round = 0; round < node.min && answer.exact; ++round) {
        answer.append(once);
        if (answer.sets.size() == kMaxPrefix) break;
      }
      answer.exact = answer.exact && node.min == node.max && answer.sets.size() < kMaxPrefix;
      return answer;
    }
    case NodeKind::kBackReference:
      answer.exact = false;
      return answer;
    default:
      return answer;  // assertions match no unit
  }
}

}  // namespace

bool firstUnits(const Node& node, UnitBuckets& units) {
  const Prefix prefix = prefixOf(node);
  if (prefix.sets.empty()) return false;
  units = prefix.sets[0];
  return true;
}

int32_t singleUnitOf(const Node& node) {
  char16_t unit = 0;
  switch (node.kind) {
    case NodeKind::kUnit:
      return node.unit;
    case NodeKind::kClass:
      return node.units.single(unit) ? unit : -1;
    case NodeKind::kGroup:
      return node.group == 0 ? singleUnitOf(*node.children[0]) : -1;
    default:
      return -1;
  }
}

void addSearchHints(const Node& root, Program& program) {
  program.minLength = minLength(root);
  program.anchoredStart = anchoredStart(root);
  program.requiredUnit = requiredUnit(root);

  std::vector<UnitBuckets> prefix = prefixOf(root).sets;
  for (size_t index = 0; index < prefix.size(); ++index) {
    if (prefix[index].count() >= kWeakBuckets) {
      prefix.resize(index);
      break;
    }
  }
  program.prefix = std::move(prefix);

  const bool allUnits =
      root.kind == NodeKind::kUnit ||
      (root.kind == NodeKind::kSequence &&
       std::all_of(root.children.begin(), root.children.end(),
                   [](const auto& child) { return child->kind == NodeKind::kUnit; }));
  if (allUnits) {
    program.pureLiteral = true;
    if (root.kind == NodeKind::kUnit) program.literal.push_back(root.unit);
    for (const auto& child : root.children) program.literal.push_back(child->unit);
  }
}

}  // namespace regex
