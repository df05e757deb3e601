// quibo-host: loads the plug-in as FileMaker does and evaluates calculations against it.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "host_program.h"
#include "program_folder.h"

int main(int argc, char** argv) {
  quibo_host::Options options;
  try {
    options = quibo_host::parseOptions(argc, argv);
  } catch (const std::exception& error) {
    std::cerr << "quibo-host: " << error.what() << '\n' << quibo_host::usage();
    return 2;
  }
  const std::filesystem::path folder = quibo_host::programFolder();
  try {
    standin::Session& session = standin::Session::instance();
    for (const auto& [name, path] : options.files) {
      session.openFile(quibo_host::fromUtf8(name), path);
    }
    if (options.demo) session.openFile(u"Contacts", (folder / "demo" / "Contacts.sqlite").string());

    const std::string pluginPath = options.pluginPath.empty()
                                       ? (folder / QUIBO_PLUGIN_FILE_NAME).string()
                                       : options.pluginPath;
    standin::PluginHost plugin(pluginPath);
    const int64_t answer = plugin.initialise(options.kind);
    if (answer != FM_INIT_OK) {
      std::cerr << "quibo-host: the plug-in declined to start (" << answer << ")\n";
      return 1;
    }
    std::cerr << quibo_host::printable(plugin.getString(FM_STRING_NAME)) << '\n'
              << quibo_host::printable(plugin.getString(FM_STRING_DESCRIPTION)) << '\n';

    quibo_host::LineRunner runner(plugin, std::cout, std::cerr);
    if (!options.calculations.empty()) {
      for (const std::string& calculation : options.calculations) {
        if (!runner.run(calculation)) break;
      }
    } else if (!options.scriptPath.empty()) {
      std::ifstream script(options.scriptPath);
      if (!script) throw standin::HostError("cannot read " + options.scriptPath);
      runner.runAll(script);
    } else if (options.demo) {
      std::ifstream demo(folder / "demo" / "demo.calc");
      if (!demo) throw standin::HostError("the demo script is missing");
      runner.runAll(demo);
    } else {
      runner.runAll(std::cin);
    }
    // The plug-in host sends the shutdown message as it unloads.
  } catch (const std::exception& error) {
    std::cerr << "quibo-host: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
