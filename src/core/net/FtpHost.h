// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The FtpHost setting as the user writes it: "name" or "address" (port 21),
// "name:port", "[v6 address]:port", a bare IPv6 address, or the same after
// "ftp://". "ftps://name[:port]" asks for explicit TLS (AUTH TLS on the
// control port) with the server's certificate checked.
#include <optional>
#include <string>
#include <string_view>

namespace quill {

struct FtpEndpoint {
  std::string host;  // without brackets
  int port = 21;
  bool tls = false;

  // "ftp://host:port" with an IPv6 address in brackets; libcurl's form.
  std::string Url() const;
};

// Nothing for text that names no host: empty, a port out of 1..65535, a
// path, credentials, white space inside or another scheme.
std::optional<FtpEndpoint> ParseFtpHost(std::string_view text);

}  // namespace quill
