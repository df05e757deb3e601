#include "regex/parser.h"

#include "regex/errors.h"

namespace regex {

namespace {

bool isDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }
bool isOctal(char16_t unit) { return unit >= u'0' && unit <= u'7'; }
bool isAsciiLetter(char16_t unit) {
  return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
}
int hexValue(char16_t unit) {
  if (unit >= u'0' && unit <= u'9') return unit - u'0';
  if (unit >= u'a' && unit <= u'f') return unit - u'a' + 10;
  if (unit >= u'A' && unit <= u'F') return unit - u'A' + 10;
  return -1;
}

std::unique_ptr<Node> makeNode(NodeKind kind) { return std::make_unique<Node>(kind); }

std::unique_ptr<Node> makeUnit(char16_t unit) {
  auto node = makeNode(NodeKind::kUnit);
  node->unit = unit;
  return node;
}

std::unique_ptr<Node> makeClass(CharClass units) {
  auto node = makeNode(NodeKind::kClass);
  node->units = std::move(units);
  return node;
}

// Back-references are told from octal escapes by the number of groups in the whole pattern,
// later ones included, so they are counted before parsing.
int32_t countGroups(std::u16string_view pattern) {
  int32_t count = 0;
  bool inClass = false;
  for (size_t index = 0; index < pattern.size(); ++index) {
    const char16_t unit = pattern[index];
    if (unit == u'\\') {
      ++index;
    } else if (inClass) {
      inClass = unit != u']';
    } else if (unit == u'[') {
      inClass = true;
    } else if (unit == u'(' && (index + 1 >= pattern.size() || pattern[index + 1] != u'?')) {
      ++count;
    }
  }
  return count;
}

class Parser {
 public:
  explicit Parser(std::u16string_view pattern)
      : pattern_(pattern), totalGroups_(countGroups(pattern)) {}

  ParsedPattern parsePattern() {
    ParsedPattern answer;
    answer.root = parseDisjunction(0);
    if (!atEnd()) throw SyntaxError();  // a `)` without its `(`
    answer.groupCount = groups_;
    return answer;
  }

 private:
  bool atEnd() const { return position_ >= pattern_.size(); }
  char16_t peek(size_t ahead = 0) const {
    return position_ + ahead < pattern_.size() ? pattern_[position_ + ahead] : 0;
  }
  bool has(size_t ahead) const { return position_ + ahead < pattern_.size(); }
  char16_t next() { return pattern_[position_++]; }

  std::unique_ptr<Node> parseDisjunction(int depth) {
    if (depth > kMaxNesting) throw LimitExceeded();
    auto first = parseAlternative(depth);
    if (atEnd() || peek() != u'|') return first;
    auto alternation = makeNode(NodeKind::kAlternation);
    alternation->children.push_back(std::move(first));
    while (!atEnd() && peek() == u'|') {
      ++position_;
      alternation->children.push_back(parseAlternative(depth));
    }
    return asClassIfSingleUnits(std::move(alternation));
  }

  // Alternatives of one unit each, such as a|b|[0-9], match exactly what their union as a
  // class matches, at the same position and with nothing captured; as a class they are one
  // step, and a repeat of them a run.
  static std::unique_ptr<Node> asClassIfSingleUnits(std::unique_ptr<Node> alternation) {
    CharClass units;
    for (const auto& child : alternation->children) {
      if (child->kind == NodeKind::kUnit) {
        units.add(child->unit);
      } else if (child->kind == NodeKind::kClass) {
        units.add(child->units);
      } else {
        return alternation;
      }
    }
    units.finish();
    return makeClass(std::move(units));
  }

  std::unique_ptr<Node> parseAlternative(int depth) {
    auto sequence = makeNode(NodeKind::kSequence);
    while (!atEnd() && peek() != u'|' && peek() != u')') {
      sequence->children.push_back(parseTerm(depth));
    }
    if (sequence->children.size() == 1) return std::move(sequence->children.front());
    if (sequence->children.empty()) return makeNode(NodeKind::kEmpty);
    return sequence;
  }

  std::unique_ptr<Node> parseTerm(int depth) {
    const int32_t groupsBefore = groups_;
    const char16_t unit = peek();
    std::unique_ptr<Node> atom;
    switch (unit) {
      case u'^':
        ++position_;
        return assertion(NodeKind::kLineStart);
      case u'$':
        ++position_;
        return assertion(NodeKind::kLineEnd);
      case u'\\':
        if (peek(1) == u'b' || peek(1) == u'B') {
          position_ += 2;
          return assertion(unit == u'\\' && pattern_[position_ - 1] == u'b'
                               ? NodeKind::kWordBoundary
                               : NodeKind::kNotWordBoundary);
        }
        ++position_;
        atom = parseAtomEscape();
        break;
      case u'(':
        atom = parseGroup(depth);
        break;
      case u'.':
        ++position_;
        atom = makeClass(CharClass::dot());
        break;
      case u'[':
        ++position_;
        atom = parseClass();
        break;
      case u'*':
      case u'+':
      case u'?':
        throw SyntaxError();  // nothing to repeat
      case u'{': {
        int32_t min = 0, max = 0;
        if (bracedQuantifier(min, max, false)) throw SyntaxError();
        ++position_;
        atom = makeUnit(u'{');
        break;
      }
      default:
        ++position_;
        atom = makeUnit(unit);
        break;
    }
    return parseQuantifier(std::move(atom), groupsBefore);
  }

  // An assertion takes no quantifier.
  std::unique_ptr<Node> assertion(NodeKind kind) {
    if (startsQuantifier()) throw SyntaxError();
    return makeNode(kind);
  }

  bool startsQuantifier() {
    if (atEnd()) return false;
    const char16_t unit = peek();
    if (unit == u'*' || unit == u'+' || unit == u'?') return true;
    int32_t min = 0, max = 0;
    return unit == u'{' && bracedQuantifier(min, max, false);
  }

  // {n}, {n,} or {n,m} at the current position; consumes it only when `consume` is set. Bounds
  // beyond the largest count are clamped, which changes nothing for texts the matcher accepts.
  bool bracedQuantifier(int32_t& min, int32_t& max, bool consume) {
    size_t at = position_ + 1;
    auto number = [&](int32_t& value) {
      const size_t start = at;
      int64_t total = 0;
      while (at < pattern_.size() && isDigit(pattern_[at])) {
        total = std::min<int64_t>(total * 10 + (pattern_[at] - u'0'), kUnbounded);
        ++at;
      }
      value = static_cast<int32_t>(total);
      return at > start;
    };
    if (!number(min)) return false;
    max = min;
    if (at < pattern_.size() && pattern_[at] == u',') {
      ++at;
      if (!number(max)) max = kUnbounded;
    }
    if (at >= pattern_.size() || pattern_[at] != u'}') return false;
    if (consume) position_ = at + 1;
    return true;
  }

  std::unique_ptr<Node> parseQuantifier(std::unique_ptr<Node> atom, int32_t groupsBefore) {
    if (atEnd()) return atom;
    int32_t min = 0, max = 0;
    switch (peek()) {
      case u'*':
        max = kUnbounded;
        ++position_;
        break;
      case u'+':
        min = 1;
        max = kUnbounded;
        ++position_;
        break;
      case u'?':
        max = 1;
        ++position_;
        break;
      case u'{':
        if (!bracedQuantifier(min, max, true)) return atom;
        if (min > max) throw SyntaxError();
        break;
      default:
        return atom;
    }
    auto repeat = makeNode(NodeKind::kRepeat);
    repeat->min = min;
    repeat->max = max;
    if (!atEnd() && peek() == u'?') {
      repeat->greedy = false;
      ++position_;
    }
    repeat->firstGroup = groupsBefore + 1;
    repeat->groupCount = groups_ - groupsBefore;
    repeat->children.push_back(std::move(atom));
    if (startsQuantifier()) throw SyntaxError();  // a quantifier of a quantifier
    return repeat;
  }

  std::unique_ptr<Node> parseGroup(int depth) {
    ++position_;  // (
    std::unique_ptr<Node> node;
    if (peek() == u'?') {
      const char16_t kind = peek(1);
      position_ += 2;
      if (kind == u':') {
        node = makeNode(NodeKind::kGroup);
      } else if (kind == u'=' || kind == u'!') {
        node = makeNode(NodeKind::kLookahead);
        node->negative = kind == u'!';
      } else {
        throw SyntaxError();
      }
    } else {
      node = makeNode(NodeKind::kGroup);
      node->group = ++groups_;
    }
    node->children.push_back(parseDisjunction(depth + 1));
    if (atEnd() || next() != u')') throw SyntaxError();
    return node;
  }

  std::unique_ptr<Node> parseAtomEscape() {
    if (atEnd()) throw SyntaxError();  // a pattern ending in a backslash
    const char16_t unit = peek();
    if (unit >= u'1' && unit <= u'9') {
      const size_t start = position_;
      int64_t number = 0;
      while (!atEnd() && isDigit(peek())) {
        number = std::min<int64_t>(number * 10 + (next() - u'0'), kUnbounded);
      }
      if (number <= totalGroups_) {
        auto reference = makeNode(NodeKind::kBackReference);
        reference->group = static_cast<int32_t>(number);
        return reference;
      }
      position_ = start;
    }
    CharClass units;
    if (classEscape(units)) return makeClass(std::move(units));
    return makeUnit(characterEscape(false));
  }

  // \d \D \w \W \s \S, consumed into `units`.
  bool classEscape(CharClass& units) {
    switch (peek()) {
      case u'd':
        units = CharClass::digits();
        break;
      case u'D':
        units = CharClass::digits().complement();
        break;
      case u'w':
        units = CharClass::wordUnits();
        break;
      case u'W':
        units = CharClass::wordUnits().complement();
        break;
      case u's':
        units = CharClass::spaces();
        break;
      case u'S':
        units = CharClass::spaces().complement();
        break;
      default:
        return false;
    }
    ++position_;
    return true;
  }

  // The unit an escape stands for, the backslash already read. Inside a class \b is a
  // backspace and \c also takes a digit or an underscore.
  char16_t characterEscape(bool inClass) {
    const char16_t unit = next();
    switch (unit) {
      case u'f':
        return u'\f';
      case u'n':
        return u'\n';
      case u'r':
        return u'\r';
      case u't':
        return u'\t';
      case u'v':
        return u'\v';
      case u'b':
        return inClass ? u'\b' : unit;
      case u'c': {
        const char16_t letter = peek();
        if (has(0) && (isAsciiLetter(letter) || (inClass && (isDigit(letter) || letter == u'_')))) {
          ++position_;
          return letter % 32;
        }
        --position_;  // the backslash stands for itself and `c` is read again
        return u'\\';
      }
      case u'x':
        return hexEscape(2, unit);
      case u'u':
        return hexEscape(4, unit);
      default:
        break;
    }
    if (isOctal(unit)) return octalEscape(unit);
    return unit;  // \8, \9 and any other unit stand for themselves
  }

  char16_t hexEscape(int digits, char16_t letter) {
    int value = 0;
    for (int index = 0; index < digits; ++index) {
      const int digit = has(index) ? hexValue(peek(index)) : -1;
      if (digit < 0) return letter;
      value = value * 16 + digit;
    }
    position_ += digits;
    return static_cast<char16_t>(value);
  }

  // Up to three octal digits, the value staying below 256: \0 to \377.
  char16_t octalEscape(char16_t first) {
    int value = first - u'0';
    if (!has(0) || !isOctal(peek())) return static_cast<char16_t>(value);
    value = value * 8 + (next() - u'0');
    if (first <= u'3' && has(0) && isOctal(peek())) value = value * 8 + (next() - u'0');
    return static_cast<char16_t>(value);
  }

  std::unique_ptr<Node> parseClass() {
    bool negated = false;
    if (!atEnd() && peek() == u'^') {
      negated = true;
      ++position_;
    }
    CharClass units;
    while (true) {
      if (atEnd()) throw SyntaxError();
      if (peek() == u']') break;
      CharClass firstSet;
      const bool firstIsSet = classAtom(firstSet);
      if (!atEnd() && peek() == u'-' && has(1) && peek(1) != u']') {
        ++position_;
        CharClass lastSet;
        const bool lastIsSet = classAtom(lastSet);
        if (firstIsSet || lastIsSet) {
          units.add(firstSet);
          units.add(u'-');
          units.add(lastSet);
        } else {
          const char16_t first = firstSet.ranges().front().first;
          const char16_t last = lastSet.ranges().front().first;
          if (first > last) throw SyntaxError();
          units.add(first, last);
        }
      } else {
        units.add(firstSet);
      }
    }
    ++position_;  // ]
    units.finish();
    return makeClass(negated ? units.complement() : std::move(units));
  }

  // One unit or one class escape of a class; answers whether it was a class escape.
  bool classAtom(CharClass& units) {
    const char16_t unit = next();
    if (unit != u'\\') {
      units.add(unit);
      return false;
    }
    if (atEnd()) throw SyntaxError();
    if (classEscape(units)) return true;
    units.add(characterEscape(true));
    return false;
  }

  std::u16string_view pattern_;
  size_t position_ = 0;
  int32_t groups_ = 0;
  int32_t totalGroups_;
};

}  // namespace

ParsedPattern parse(std::u16string_view pattern) { return Parser(pattern).parsePattern(); }

}  // namespace regex
