// Where quibo-host lies: it loads the plug-in and the demo file from beside itself.
#ifndef QUIBO_HOST_PROGRAM_FOLDER_H_
#define QUIBO_HOST_PROGRAM_FOLDER_H_

#include <filesystem>

namespace quibo_host {

// The folder of the running program, or the working folder when it cannot be told.
std::filesystem::path programFolder();

}  // namespace quibo_host

#endif  // QUIBO_HOST_PROGRAM_FOLDER_H_
