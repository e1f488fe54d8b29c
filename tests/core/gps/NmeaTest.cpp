// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gps/Nmea.h"

namespace quill {
namespace {

// "$" + body + "*" + the checksum of body.
std::string Sentence(const std::string& body) {
  unsigned sum = 0;
  for (char c : body) sum ^= static_cast<unsigned char>(c);
  char tail[8];
  std::snprintf(tail, sizeof tail, "*%02X", sum);
  return "$" + body + tail;
}

TEST(Nmea, SentencesAsATable) {
  struct Row {
    std::string sentence;
    NmeaResult result;
    double lat = 0, lon = 0;
    double altitude = -1;  // -1: none
    int satellites = -1;
    int quality = -1;
  };
  const Row rows[] = {
      // Reference sentences with their published checksums.
      {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47", NmeaResult::Fix, 48.1173, 11.516666667,
       545.4, 8, 1},
      {"$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n", NmeaResult::Fix, 48.1173,
       11.516666667},
      {"$gpgga,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47", NmeaResult::Bad},  // checksum of other text
      {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*48", NmeaResult::Bad},
      {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,", NmeaResult::Bad},  // no checksum
      {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*4", NmeaResult::Bad},
      {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47x", NmeaResult::Bad},
      // Southern and western hemispheres; other talkers; lower-case checksum digits.
      {Sentence("GNGGA,010203.00,3351.5000,S,15112.6000,E,2,12,0.8,-3.5,M,,M,,"), NmeaResult::Fix, -33.858333333,
       151.21, -3.5, 12, 2},
      {Sentence("GPRMC,010203,A,4042.7680,N,07400.3600,W,0.0,0.0,010124,,,A"), NmeaResult::Fix, 40.7128, -74.006},
      {"$GPGGA,000000,0000.000,S,00000.000,W,1,08,,,M,,M,,*5b", NmeaResult::Fix, 0, 0, -1, 8, 1},
      // No fix: quality 0, empty positions, status V, mode N.
      {Sentence("GPGGA,123519,,,,,0,00,,,M,,M,,"), NmeaResult::NoFix, 0, 0, -1, 0, 0},
      {Sentence("GPGGA,123519,4807.038,N,01131.000,E,0,03,,,M,,M,,"), NmeaResult::NoFix, 0, 0, -1, 3, 0},
      {Sentence("GPGGA,123519,,,,,1,05,,,M,,M,,"), NmeaResult::NoFix, 0, 0, -1, 5, 1},
      {Sentence("GPRMC,123519,V,,,,,,,230394,,"), NmeaResult::NoFix},
      {Sentence("GPRMC,123519,A,4807.038,N,01131.000,E,,,230394,,,N"), NmeaResult::NoFix},
      // Fields that cannot be read, with a correct checksum.
      {Sentence("GPGGA,123519,4807.038,X,01131.000,E,1,08,0.9,545.4,M,,M,,"), NmeaResult::Bad},
      {Sentence("GPGGA,123519,4867.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,"), NmeaResult::Bad},
      {Sentence("GPGGA,123519,9107.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,"), NmeaResult::Bad},
      {Sentence("GPGGA,123519,4807.0.38,N,01131.000,E,1,08,0.9,545.4,M,,M,,"), NmeaResult::Bad},
      {Sentence("GPGGA,123519,4807.038,N,18131.000,E,1,08,0.9,545.4,M,,M,,"), NmeaResult::Bad},
      {Sentence("GPGGA,123519,4807.038,N,01131.000,E,9,08,0.9,545.4,M,,M,,"), NmeaResult::Bad},
      {Sentence("GPGGA,123519,4807.038,N,01131.000,E,1,x8,0.9,545.4,M,,M,,"), NmeaResult::Bad},
      {Sentence("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,5-45,M,,M,,"), NmeaResult::Bad},
      {Sentence("GPGGA,123519,4807.038,N"), NmeaResult::Bad},
      {Sentence("GPRMC,123519,X,4807.038,N,01131.000,E"), NmeaResult::Bad},
      {Sentence("GPGGA,123519,4807\x01.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,"), NmeaResult::Bad},
      // Other sentences are ignored.
      {Sentence("GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00"), NmeaResult::Ignored},
      {Sentence("PGRME,15.0,M,45.0,M,25.0,M"), NmeaResult::Ignored},
      {"", NmeaResult::Bad},
      {"GPGGA,123519*47", NmeaResult::Bad},
  };
  for (const Row& r : rows) {
    NmeaSentence s;
    ASSERT_EQ(ParseNmeaSentence(r.sentence, s), r.result) << r.sentence;
    if (r.result != NmeaResult::Fix && r.result != NmeaResult::NoFix) continue;
    EXPECT_NEAR(s.lat, r.lat, 1e-9) << r.sentence;
    EXPECT_NEAR(s.lon, r.lon, 1e-9) << r.sentence;
    EXPECT_EQ(s.hasAltitude, r.altitude != -1) << r.sentence;
    if (s.hasAltitude) {
      EXPECT_DOUBLE_EQ(s.altitude, r.altitude) << r.sentence;
    }
    EXPECT_EQ(s.satellites, r.satellites) << r.sentence;
    EXPECT_EQ(s.quality, r.quality) << r.sentence;
  }
}

TEST(Nmea, ReaderSplitsCountsAndPrefersGga) {
  const std::string gga = Sentence("GPGGA,120000,5205.000,N,00507.000,E,1,07,1.0,2.0,M,,M,,");
  const std::string rmc = Sentence("GPRMC,120000,A,5205.000,N,00507.000,E,0.0,0.0,010124,,");
  const std::string rmc2 = Sentence("GPRMC,120001,A,5206.000,N,00507.000,E,0.0,0.0,010124,,");
  std::string corrupted = gga;
  corrupted[20] = '9';  // a changed digit under the old checksum
  const std::string stream = std::string("\x00\xFF", 2) + "noise\r\n" + rmc + "\r\n" + gga.substr(0, 20) + gga + "\n" +
                             corrupted + "\r\n" + std::string(500, 'x') + "\r\n" +
                             Sentence("GPGSA,A,3,,,,,,,,,,,,,,,") + "\r\n" + rmc2 + "\r\n" + gga;
  std::vector<NmeaSentence> fixes;
  NmeaReader reader;
  reader.onFix = [&](const NmeaSentence& s) { fixes.push_back(s); };
  // Byte by byte: a chunk boundary can fall anywhere.
  for (char c : stream) reader.Feed(std::string_view(&c, 1));
  reader.Feed("\r\n");
  // RMC counts while no GGA has come; after the first GGA only GGA does.
  ASSERT_EQ(fixes.size(), 3u);
  EXPECT_EQ(fixes[0].kind, NmeaKind::Rmc);
  EXPECT_EQ(fixes[1].kind, NmeaKind::Gga);
  EXPECT_EQ(fixes[2].kind, NmeaKind::Gga);
  EXPECT_NEAR(fixes[2].lat, 52.083333333, 1e-9);
  EXPECT_EQ(fixes[2].satellites, 7);
  EXPECT_EQ(reader.Fixes(), 3u);
  EXPECT_EQ(reader.Ignored(), 1u);
  // The noise line, the cut-off sentence, the corrupted one and the over-long line.
  EXPECT_EQ(reader.Bad(), 4u);
}

}  // namespace
}  // namespace quill
