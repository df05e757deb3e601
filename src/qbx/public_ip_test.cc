// One attempt of the public IP look-up, and the reading of an answer, code by code.
#include <gmock/gmock.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "loopback_server.h"
#include "qbx/public_ip_query.h"
#include "test_environment.h"

namespace qbx {
namespace {

using quibo_test::LoopbackServer;

const PublicIPService kRowThree{"127.0.0.1", 0, "close\r\n\r\n", kEndOfData};

PublicIPService at(uint16_t port, const PublicIPService& row = kRowThree) {
  PublicIPService service = row;
  service.port = port;
  return service;
}

class Attempt : public ::testing::Test {
 protected:
  void SetUp() override { quibo_test::setEnvironment("QUIBO_NETWORK_TIMEOUT_MS", "300"); }
  void TearDown() override { quibo_test::unsetEnvironment("QUIBO_NETWORK_TIMEOUT_MS"); }
  char result_[kResultSize] = {};
};

TEST_F(Attempt, AnswersEachFailureWithItsCode) {
  PublicIPService unknown = kRowThree;
  unknown.host = "no.such.host.invalid";
  EXPECT_EQ(queryPublicIPService(unknown, result_), kNotResolved);

  std::fflush(stdout);
  EXPECT_EQ(queryPublicIPService(at(LoopbackServer::refusingPort()), result_), kNotConnected);

  LoopbackServer silent(LoopbackServer::Behaviour{});
  EXPECT_EQ(queryPublicIPService(at(silent.port()), result_), kNotReceived);

  LoopbackServer noMarker(LoopbackServer::Behaviour{{"HTTP/1.1 204 No Content\r\n\r\n"}});
  EXPECT_EQ(queryPublicIPService(at(noMarker.port()), result_), kNoAddressInAnswer);

  LoopbackServer closing(LoopbackServer::Behaviour{{""}, {}, true});
  EXPECT_EQ(queryPublicIPService(at(closing.port()), result_), kNoAddressInAnswer);
}

TEST_F(Attempt, CopiesTheAddressFound) {
  LoopbackServer server(
      LoopbackServer::Behaviour{{"HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n192.0.2.7"}});
  EXPECT_EQ(queryPublicIPService(at(server.port()), result_), kFound);
  EXPECT_STREQ(result_, "192.0.2.7");
}

int16_t read(const std::string& answer, const PublicIPService& row, std::string& address) {
  std::string received = answer;
  received.push_back('\0');
  char text[kAddressCapacity] = {};
  const int16_t code = readPublicAddress(received.data(), answer.size(), row, text);
  address.assign(text, strnlen(text, kAddressCapacity));
  return code;
}

TEST(PublicAddressAnswer, FindsTheMarkerAnywhereInTheFirstPacket) {
  const PublicIPService chunkedWithLineFeed{"", 80, "\r\n\r\nd\r\n", '\n'};
  const PublicIPService chunked{"", 80, "\r\n\r\nb\r\n", '\r'};
  std::string address;
  EXPECT_EQ(read("H\r\n\r\nd\r\n198.51.100.1\n", chunkedWithLineFeed, address), 0);
  EXPECT_EQ(address, "198.51.100.1");
  EXPECT_EQ(read("H\r\n\r\nb\r\n1.2.3.4\r\n", chunked, address), 0);
  EXPECT_EQ(address, "1.2.3.4");
  EXPECT_EQ(read("H\r\n\r\nb\r\n1.2.3.4", chunked, address), kNoAddressInAnswer);  // no CR
  EXPECT_EQ(read("H\r\n\r\nB\r\n1.2.3.4\r\n", chunked, address), kNoAddressInAnswer);
  // A zero byte in the headers does not hide the marker behind it.
  EXPECT_EQ(read(std::string("H\0x\r\n\r\nb\r\n1.2.3.4\r\n", 19), chunked, address), 0);
  EXPECT_EQ(read("", kRowThree, address), kNoAddressInAnswer);
}

}  // namespace
}  // namespace qbx
