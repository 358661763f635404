#include "lookup/ServerEndpoint.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

namespace {

struct EndpointCase {
    const char* behaviour;
    const char* server;
    const char* host;
    quint16 port;
};

class ServerEndpoint : public testing::TestWithParam<EndpointCase> {};

TEST_P(ServerEndpoint, SplitsHostAndPort)
{
    const EndpointCase& c = GetParam();
    const CServerEndpoint endpoint = CServerEndpoint::Parse(c.server);
    EXPECT_EQ(endpoint.host, QString::fromLatin1(c.host)) << c.behaviour;
    EXPECT_EQ(endpoint.port, c.port) << c.behaviour;
}

INSTANTIATE_TEST_SUITE_P(
    Lookup, ServerEndpoint,
    testing::Values(
        EndpointCase{"plain host name", "whois.nic.io", "whois.nic.io", 43},
        EndpointCase{"host with a port", "127.0.0.1:4343", "127.0.0.1", 4343},
        EndpointCase{"surrounding spaces", "  whois.example:4343 ", "whois.example", 4343},
        EndpointCase{"bracketed IPv6 with a port", "[2001:db8::1]:4343", "2001:db8::1", 4343},
        EndpointCase{"bracketed IPv6 alone", "[::1]", "::1", 43},
        EndpointCase{"bare IPv6 address", "2001:db8::1", "2001:db8::1", 43},
        EndpointCase{"port out of range stays part of the name", "host:70000", "host:70000", 43},
        EndpointCase{"port that is no number stays part of the name", "host:abc", "host:abc", 43}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

} // namespace
