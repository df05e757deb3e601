// Test support: the process environment, which the plug-in reads its settings from.
#ifndef QUIBO_TESTS_TEST_ENVIRONMENT_H_
#define QUIBO_TESTS_TEST_ENVIRONMENT_H_

#include <string>

namespace quibo_test {

void setEnvironment(const std::string& name, const std::string& value);
void unsetEnvironment(const std::string& name);

// What differs between the systems that the tests run on.
//
// The platform name the plug-in reports: "Linux" or "Windows".
const char* platformName();
// The calculation text (quoted) of a system script kind that this system runs, and of one that
// it refuses.
std::string nativeScriptKind();
std::string foreignScriptKind();
// A module handle that string resources load from: the test program's own where the system
// keeps them in modules.
void* testModule();
// The folder of the running test program (in the system's own form of path).
std::string testProgramFolder();

}  // namespace quibo_test

#endif  // QUIBO_TESTS_TEST_ENVIRONMENT_H_
