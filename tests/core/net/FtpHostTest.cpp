// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "net/FtpHost.h"

namespace quill {
namespace {

TEST(FtpHost, ReadsTheHostSettingAsUsersWriteIt) {
  struct Case {
    const char* text;
    const char* url;  // empty: no host
    bool tls;
  };
  const Case cases[] = {
      {"ftp.example.org", "ftp://ftp.example.org:21", false},
      {"  ftp.example.org\t", "ftp://ftp.example.org:21", false},
      {"ftp.example.org:2121", "ftp://ftp.example.org:2121", false},
      {"192.168.1.5:65535", "ftp://192.168.1.5:65535", false},
      {"FTP://Host/", "ftp://Host:21", false},
      {"ftps://secure.example.org", "ftp://secure.example.org:21", true},
      {"FTPS://secure.example.org:990", "ftp://secure.example.org:990", true},
      {"::1", "ftp://[::1]:21", false},
      {"[fe80::1]:2121", "ftp://[fe80::1]:2121", false},
      {"ftps://[::1]", "ftp://[::1]:21", true},
      {"", "", false},
      {"ftps://", "", false},
      {"host:", "", false},
      {"host:0", "", false},
      {"host:65536", "", false},
      {"host:21x", "", false},
      {"host:-21", "", false},
      {"user@host", "", false},
      {"host/path", "", false},
      {"two words", "", false},
      {"http://host", "", false},
      {"sftp://host", "", false},
      {"[::1", "", false},
      {"[::1]x", "", false},
      {"[host]:21", "", false},
      {"::g", "", false},
      {"host\r\nUSER x", "", false},
  };
  for (const Case& c : cases) {
    const std::optional<FtpEndpoint> end = ParseFtpHost(c.text);
    if (c.url[0] == '\0') {
      EXPECT_FALSE(end.has_value()) << c.text;
      continue;
    }
    ASSERT_TRUE(end.has_value()) << c.text;
    EXPECT_EQ(end->Url(), c.url) << c.text;
    EXPECT_EQ(end->tls, c.tls) << c.text;
  }
}

}  // namespace
}  // namespace quill
