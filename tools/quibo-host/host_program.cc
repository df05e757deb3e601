#include "host_program.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "fm/api.h"
#include "fm/objects.h"
#include "standin/desktop.h"
#include "standin/unicode.h"

namespace quibo_host {

namespace {

constexpr auto kIdleInterval = std::chrono::milliseconds(100);

std::string trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  const size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// NAME=VALUE, both trimmed.
std::pair<std::string, std::string> splitAssignment(const std::string& text) {
  const size_t equals = text.find('=');
  if (equals == std::string::npos) return {trimmed(text), ""};
  return {trimmed(text.substr(0, equals)), trimmed(text.substr(equals + 1))};
}

double secondsArgument(const std::string& text) {
  size_t used = 0;
  const double seconds = std::stod(text, &used);
  if (used != text.size() || !std::isfinite(seconds) || seconds < 0) {
    throw std::invalid_argument("expected a number of seconds, not \"" + text + "\"");
  }
  return seconds;
}

}  // namespace

std::u16string fromUtf8(const std::string& text) { return standin::utf16FromUtf8(text); }

std::string printable(const std::u16string& text) {
  std::string bytes = standin::utf8FromUtf16(text);
  std::replace(bytes.begin(), bytes.end(), '\r', '\n');
  return bytes;
}

std::string usage() {
  return "usage: quibo-host [--plugin FILE] [--server | --web] [--file NAME=DB.sqlite]... "
         "[--demo] [-e CALC]... [SCRIPT]\n";
}

Options parseOptions(int argc, char** argv) {
  Options options;
  for (int index = 1; index < argc; ++index) {
    const std::string argument = argv[index];
    auto value = [&]() -> std::string {
      if (index + 1 >= argc) throw std::invalid_argument(argument + " needs a value");
      return argv[++index];
    };
    if (argument == "--plugin") {
      options.pluginPath = value();
    } else if (argument == "--server") {
      options.kind = standin::HostKind::Server;
    } else if (argument == "--web") {
      options.kind = standin::HostKind::Web;
    } else if (argument == "--file") {
      auto [name, path] = splitAssignment(value());
      if (name.empty() || path.empty()) throw std::invalid_argument("--file needs NAME=DB");
      options.files.emplace_back(name, path);
    } else if (argument == "--demo") {
      options.demo = true;
    } else if (argument == "-e") {
      options.calculations.push_back(value());
    } else if (!argument.empty() && argument[0] == '-') {
      throw std::invalid_argument("unknown option " + argument);
    } else if (options.scriptPath.empty()) {
      options.scriptPath = argument;
    } else {
      throw std::invalid_argument("only one SCRIPT may be given");
    }
  }
  return options;
}

LineRunner::LineRunner(standin::PluginHost& plugin, std::ostream& out, std::ostream& err)
    : plugin_(plugin), out_(out), err_(err) {}

bool LineRunner::run(const std::string& rawLine) {
  const std::string line = trimmed(rawLine);
  if (line.empty() || line[0] == '#') return !quit_;
  try {
    if (line[0] == ':') {
      command(line);
    } else {
      evaluate(line);
    }
  } catch (const std::exception& error) {
    out_.flush();
    err_ << "quibo-host: " << error.what() << '\n';
  }
  return !quit_;
}

void LineRunner::runAll(std::istream& lines) {
  std::string line;
  while (std::getline(lines, line)) {
    if (!run(line)) break;
  }
}

void LineRunner::evaluate(const std::string& calculation) {
  fm::Data result;
  const int16_t code = standin::Session::instance().evaluate(fromUtf8(calculation), *result.get());
  if (code == 0) {
    out_ << printable(fm::units(fm::asText(result))) << '\n';
  } else {
    out_ << "?\n";
    out_.flush();
    err_ << code << '\n';
  }
  out_.flush();
  runStartedScripts();
}

void LineRunner::command(const std::string& line) {
  const size_t space = line.find_first_of(" \t");
  const std::string name =
      line.substr(1, space == std::string::npos ? std::string::npos : space - 1);
  const std::string argument = space == std::string::npos ? "" : trimmed(line.substr(space));
  standin::Session& session = standin::Session::instance();
  if (name == "open") {
    auto [file, path] = splitAssignment(argument);
    if (file.empty() || path.empty()) throw std::invalid_argument(":open needs NAME=PATH");
    session.openFile(fromUtf8(file), path);
  } else if (name == "close") {
    session.closeFile(fromUtf8(argument));
  } else if (name == "use") {
    session.useFile(fromUtf8(argument));
  } else if (name == "idle") {
    idle();
  } else if (name == "advance") {
    standin::HostClock::advance(secondsArgument(argument));
    idle();
  } else if (name == "sleep") {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point until =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(
                           std::chrono::duration<double>(secondsArgument(argument)));
    for (Clock::time_point now = Clock::now(); now < until; now = Clock::now()) {
      idle();
      std::this_thread::sleep_for(std::min<Clock::duration>(kIdleInterval, until - now));
    }
    idle();
  } else if (name == "script") {
    auto [script, calculation] = splitAssignment(argument);
    if (script.empty()) throw std::invalid_argument(":script needs a NAME");
    session.addScript(fromUtf8(script), fromUtf8(calculation));
  } else if (name == "window") {
    standin::Desktop::openWindow(fromUtf8(argument));
  } else if (name == "key") {
    pressKeys(argument);
  } else if (name == "quit") {
    quit_ = true;
  } else {
    throw std::invalid_argument("unknown host command :" + name);
  }
}

// The words of a combination, each a key name or one character, pressed together with a
// FileMaker window in front; scripts that the press started run as after a calculation.
void LineRunner::pressKeys(const std::string& words) {
  std::vector<uint32_t> keys;
  size_t from = 0;
  while (from < words.size()) {
    const size_t end = std::min(words.find(' ', from), words.size());
    const std::string word = words.substr(from, end - from);
    from = end + 1;
    if (word.empty()) continue;
    const auto key = standin::Desktop::virtualKeyNamed(fromUtf8(word));
    if (!key) throw std::invalid_argument("unknown key \"" + word + "\"");
    keys.push_back(*key);
  }
  if (keys.empty()) throw std::invalid_argument(":key needs the keys to press");
  standin::Desktop::frontFileMakerWindow();
  standin::Desktop::pressCombination(keys);
  runStartedScripts();
}

void LineRunner::idle() {
  plugin_.idle(FM_IDLE_USER_IDLE);
  runStartedScripts();
}

void LineRunner::runStartedScripts() {
  standin::Session::instance().runStartedScripts(
      [&](const standin::StartedScript& script, const std::u16string& answer) {
        out_ << "started script \"" << printable(script.scriptName) << "\" of \""
             << printable(script.fileName) << "\", control " << int(script.control)
             << ", parameter \"" << printable(script.parameter) << "\"\n";
        if (!answer.empty()) out_ << printable(answer) << '\n';
        out_.flush();
      });
}

}  // namespace quibo_host
