// Quibo_GetClientPublicIPAddress against IP-echo servers of the test's own on the loopback
// address, and the resolver functions.
#include <gmock/gmock.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "loopback_server.h"
#include "fm/objects.h"
#include "plugin_session.h"
#include "test_environment.h"

namespace quibo_test {
namespace {

using ::testing::HasSubstr;
using Behaviour = LoopbackServer::Behaviour;

const std::string kRow1Head = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nd\r\n";
const std::string kRow2Head = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nb\r\n";
const std::string kRow3Head = "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n";

Behaviour answering(std::string response) { return Behaviour{{std::move(response)}}; }

// Everything the plug-in writes on standard output while `body` runs.
template <typename Body>
std::string standardOutputOf(Body&& body) {
  std::fflush(stdout);
  const auto path = std::filesystem::temp_directory_path() /
                    ("quibo-stdout-" + std::to_string(::getpid()));
  const int saved = ::dup(1);
  std::FILE* capture = std::fopen(path.string().c_str(), "w");
  ::dup2(::fileno(capture), 1);
  body();
  std::fflush(stdout);
  ::dup2(saved, 1);
  ::close(saved);
  std::fclose(capture);
  std::stringstream text;
  text << std::ifstream(path).rdbuf();  // closed before the removal, as Windows needs
  std::filesystem::remove(path);
  return text.str();
}

class PublicAddress : public PluginTest {
 protected:
  void SetUp() override { setEnvironment("QUIBO_NETWORK_TIMEOUT_MS", "400"); }
  void TearDown() override {
    unsetEnvironment("QUIBO_PUBLIC_IP_SERVICES");
    unsetEnvironment("QUIBO_NETWORK_TIMEOUT_MS");
  }

  static void useServices(const std::string& first, const std::string& second,
                          const std::string& third) {
    setEnvironment("QUIBO_PUBLIC_IP_SERVICES", first + "," + second + "," + third);
  }

  // The answer of row 1 alone, the other rows refusing.
  static Answer askRowOne(const std::string& response) {
    LoopbackServer server(answering(response));
    const std::string refused = "127.0.0.1:" + std::to_string(LoopbackServer::refusingPort());
    useServices(server.address(), refused, refused);
    Answer answer;
    standardOutputOf([&] { answer = evaluate("Quibo_GetClientPublicIPAddress"); });
    return answer;
  }

  static std::string lastError() { return evaluated("Quibo_Get( \"lastError\" )"); }
};

TEST_F(PublicAddress, TakesTheFirstServiceThatAnswersAndAsksNoOther) {
  LoopbackServer first(answering(kRow1Head + "203.0.113.45\n\r\n0\r\n\r\n"));
  LoopbackServer second(answering(kRow2Head + "10.0.0.1\r\n"));
  LoopbackServer third(answering(kRow3Head + "10.0.0.2"));
  useServices(first.address(), second.address(), third.address());
  const Answer answer = evaluate("Quibo_GetClientPublicIPAddress");
  EXPECT_EQ(answer.code, 0);
  EXPECT_EQ(answer.text, "203.0.113.45");
  EXPECT_EQ(answer.type, FM_TYPE_TEXT);
  EXPECT_EQ(first.connections(), 1);
  EXPECT_EQ(second.connections(), 0);
  EXPECT_EQ(third.connections(), 0);
  EXPECT_EQ(first.lastRequest(), "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
}

TEST_F(PublicAddress, ReadsEachRowsFraming) {
  LoopbackServer wrongChunk(answering(kRow2Head + "1.2.3.4\r\n"));  // row 1 wants "d"
  LoopbackServer second(answering(kRow2Head + "10.0.0.123\r\n"));
  LoopbackServer third(answering(kRow3Head + "1.1.1.1"));
  useServices(wrongChunk.address(), second.address(), third.address());
  EXPECT_EQ(evaluated("Quibo_GetClientPublicIPAddress"), "10.0.0.123");
  EXPECT_EQ(third.connections(), 0);

  LoopbackServer noMarker(answering("HTTP/1.1 200 OK\r\nContent-Length: 7\r\n\r\n1.2.3.4"));
  useServices(noMarker.address(), noMarker.address(), third.address());
  EXPECT_EQ(evaluated("Quibo_GetClientPublicIPAddress"), "1.1.1.1");
}

TEST_F(PublicAddress, AcceptsOnlyTheShapeOfADottedAddress) {
  struct Case {
    std::string text;
    bool accepted;
  };
  for (const Case& shape : std::vector<Case>{
           {"999.999.999.999\n", true},   // fifteen characters; groups are not compared with 255
           {"1..2.3\n", true},            // an empty group, with three dots in all
           {"01.2.3.4\n", true},          // a leading zero
           {"1.2.3.4.5\n", false},        // four dots
           {"1.2.3\n", false},            // two dots
           {"1.2.3.1000\n", false},       // a group of four digits
           {"1.2.3.a\n", false},          // a letter
           {"1.2. 3.4\n", false},         // a space
           {"1234.1.1.1111\n", false},    // a long group
           {"1.2.3.4444444444\n", false}, // sixteen characters
           {"\n", false},                 // the terminator right after the marker
       }) {
    const Answer answer = askRowOne(kRow1Head + shape.text);
    if (shape.accepted) {
      EXPECT_EQ(answer.text, shape.text.substr(0, shape.text.size() - 1)) << shape.text;
    } else {
      EXPECT_EQ(answer.text, "2400") << shape.text;
    }
  }
}

TEST_F(PublicAddress, ExaminesOnlyTheFirstReceive) {
  LoopbackServer split(Behaviour{{kRow3Head.substr(0, 20), kRow3Head.substr(20) + "9.9.9.9"},
                                 std::chrono::milliseconds(150)});
  const std::string refused = "127.0.0.1:" + std::to_string(LoopbackServer::refusingPort());
  useServices(refused, refused, split.address());
  standardOutputOf([] { EXPECT_EQ(evaluated("Quibo_GetClientPublicIPAddress"), "2400"); });
  EXPECT_EQ(split.connections(), 1);
  EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"), "Public IP is not available");
}

TEST_F(PublicAddress, ConnectsElevenTimesBeforeGivingUp) {
  const std::string refused = "127.0.0.1:" + std::to_string(LoopbackServer::refusingPort());
  useServices(refused, refused, refused);
  Answer answer;
  const std::string output = standardOutputOf([&] { answer = evaluate("Quibo_GetClientPublicIPAddress"); });
  EXPECT_EQ(answer.code, 0);  // failures stay in the result
  EXPECT_EQ(answer.text, "2400");
  size_t diagnostics = 0;
  for (size_t at = 0; (at = output.find("Error while connecting: ", at)) != std::string::npos; ++at) {
    ++diagnostics;
  }
  EXPECT_EQ(diagnostics, 33u);  // eleven for each row
  // The system's own text: "Connection refused" here and under Wine, "...actively refused it."
  // on Windows.
  EXPECT_THAT(output, HasSubstr("refused"));
}

TEST_F(PublicAddress, GivesUpOnASilentServiceWithinTheTimeOut) {
  LoopbackServer silent(Behaviour{});
  LoopbackServer third(answering(kRow3Head + "8.8.4.4"));
  useServices(silent.address(), silent.address(), third.address());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(evaluated("Quibo_GetClientPublicIPAddress"), "8.8.4.4");
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_LT(elapsed, std::chrono::seconds(3));
  EXPECT_EQ(silent.connections(), 2);
}

TEST_F(PublicAddress, ReportsTheLastRowsCodeWhenEveryRowFails) {
  LoopbackServer silent(Behaviour{});
  useServices("no.such.host.invalid", "no.such.host.invalid", silent.address());
  EXPECT_EQ(evaluated("Quibo_GetClientPublicIPAddress"), "2400");  // -7, recorded as 2400
  useServices("127.0.0.1", "127.0.0.1", "no.such.host.invalid");
  standardOutputOf([] { EXPECT_EQ(evaluated("Quibo_GetClientPublicIPAddress"), "2400"); });
  EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"), "Public IP is not available");
}

class Resolver : public PluginTest {};

TEST_F(Resolver, ResolvesLocalhostBothWays) {
  EXPECT_EQ(evaluated("Quibo_GetIPforName( \"localhost\" )"), "127.0.0.1");
  EXPECT_FALSE(evaluated("Quibo_GetNameForIP( \"127.0.0.1\" )").empty());
}

TEST_F(Resolver, RefusesWhatIsNoAddress) {
  EXPECT_EQ(evaluated("Quibo_GetNameForIP( \"255.255.255.255\" )"), "-50");
  EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"), "Invalid IP address");
  EXPECT_EQ(evaluated("Quibo_GetNameForIP( \"not an address\" )"), "-50");
  EXPECT_EQ(evaluated("Quibo_GetIPforName( \"no.such.host.invalid\" )"), "2400");
  EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"), "Cannot retrieve IP for host");
}

TEST_F(Resolver, WantsItsParameter) {
  fm::DataVect none;
  fm::Data result;
  for (const auto& function : standin::Session::instance().registeredFunctions()) {
    if (function.name == u"Quibo_GetNameForIP" || function.name == u"Quibo_GetIPforName") {
      EXPECT_EQ(function.handler(function.id, nullptr, none, result), 0);
    }
  }
  EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"), "Host name is not specified");
}

}  // namespace
}  // namespace quibo_test
