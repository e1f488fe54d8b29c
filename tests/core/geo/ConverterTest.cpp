// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <locale>
#include <memory>
#include <string>
#include <vector>

#include "geo/Converter.h"
#include "support/TestSupport.h"

namespace quill {
namespace {

TEST(GeoConverter, LatLonInputShowsEveryNotation) {
  ConverterResult r = ConvertLatLon("N 51\xB0 02.804 E 003\xB0 56.782", "anything", false, false, InputDatum::Wgs84);
  EXPECT_NEAR(r.lat, 51.0467333333, 1e-9);
  EXPECT_NEAR(r.lon, 3.9463666667, 1e-9);
  EXPECT_EQ(r.degrees, "N 51.04673\xB0  E 3.94637\xB0");
  EXPECT_EQ(r.degMin, "N 51\xB0 02.804   E 003\xB0 56.782");
  EXPECT_EQ(r.degMinSec, "N 51\xB0 02' 48.24\"  E 3\xB0 56' 46.92\"");
  EXPECT_EQ(r.altitude, "44");
  EXPECT_EQ(r.height, 44.0);
  EXPECT_TRUE(r.lambertInRange);
}

TEST(GeoConverter, HemisphereBoxesNegateWhatWasTyped) {
  EXPECT_EQ(ConvertLatLon("51 30", "", true, false, InputDatum::Wgs84).lat, -51.5);
  EXPECT_EQ(ConvertLatLon("S 51 30", "", true, false, InputDatum::Wgs84).lat, 51.5);
  EXPECT_EQ(ConvertLatLon("51 30", "4 15", false, true, InputDatum::Wgs84).lon, -4.25);
  EXPECT_EQ(ConvertLatLon("51 30", "W 4 15", false, true, InputDatum::Wgs84).lon, 4.25);
}

TEST(GeoConverter, InputDatumShiftsPositionAndHeight) {
  ConverterResult ed50 = ConvertLatLon("N 52 E 5", "", false, false, InputDatum::Ed50);
  EXPECT_NEAR(ed50.lat, 51.999212, 1e-6);
  EXPECT_NEAR(ed50.lon, 4.998718, 1e-6);
  EXPECT_EQ(ed50.altitude, "85.26");
  ConverterResult bessel = ConvertLatLon("N 52 E 5", "", false, false, InputDatum::Bessel);
  // Near Amersfoort WGS84 reads 3.5" south and 1.4" west of the Dutch datum.
  EXPECT_NEAR(bessel.lat, 52.0 - 0.00097, 0.00005);
  EXPECT_NEAR(bessel.lon, 5.0 - 0.0004, 0.00005);
}

TEST(GeoConverter, RdInputComesBackWithinAMetreInBlack) {
  ConverterResult r = ConvertRd("136013 / 455723");
  EXPECT_EQ(r.rd, "136013 / 455723");
  EXPECT_TRUE(r.rdInRange);
  EXPECT_FALSE(r.lambertInRange);
  EXPECT_EQ(r.altitude, "44");
}

TEST(GeoConverter, SpainIsComputedButGrey) {
  ConverterResult r = ConvertLatLon("N 40 25", "W 3 42", false, false, InputDatum::Wgs84);
  EXPECT_FALSE(r.rdInRange);
  EXPECT_FALSE(r.lambertInRange);
  EXPECT_FALSE(r.rd.empty());
  EXPECT_EQ(r.utm.substr(0, 3), "30T");
}

TEST(GeoConverter, LambertAndUtmInputs) {
  ConverterResult l = ConvertLambert("124202 187756");
  EXPECT_NEAR(l.lat, 50.999455, 1e-6);
  EXPECT_NEAR(l.lon, 4.001250, 1e-6);
  EXPECT_EQ(l.lambert, "124202 / 187756");
  ConverterResult u = ConvertUtm("31U E 594425 N 5685988");
  EXPECT_EQ(u.utm, "31U  E 594425  N 5685988");
  EXPECT_EQ(u.degrees, "N 51.31735\xB0  E 4.35496\xB0");
}

TEST(GeoConverter, EcefInputKeepsItsHeight) {
  ConverterResult r = ConvertEcef("3982999 / 303325 / 4955687");
  EXPECT_EQ(r.ecef, "3982999 / 303325 / 4955687");
  EXPECT_EQ(r.altitude, "0.26");
  EXPECT_EQ(r.degrees, "N 51.31735\xB0  E 4.35495\xB0");
  EXPECT_EQ(r.utm, "31U  E 594424  N 5685988");
}

TEST(GeoConverter, WesternEcefValuesRoundToTheNearestMetre) {
  ConverterResult r = ConvertEcef("1000000.4 -4000000.6 4500000.7");
  EXPECT_EQ(r.ecef, "1000000 / -4000001 / 4500001");
}

TEST(GeoConverter, EmptyInputConvertsAsZero) {
  ConverterResult r = ConvertRd("");
  EXPECT_FALSE(r.degrees.empty());
  EXPECT_FALSE(r.rdInRange);
  ConverterResult e = ConvertEcef("");
  EXPECT_EQ(e.degrees, "N 0.00000\xB0  E 0.00000\xB0");
  EXPECT_EQ(e.ecef, "0 / 0 / 0");
  ConverterResult u = ConvertUtm("");
  EXPECT_EQ(u.lat, 0.0);
}

TEST(GeoConverter, PositionsOffTheEarthAreAnErrorNotANumber) {
  struct Case {
    const char* what;
    ConverterResult result;
    bool onEarth;
  };
  const Case cases[] = {
      {"latitude 90.5", ConvertLatLon("90.5", "5", false, false, InputDatum::Wgs84), false},
      {"longitude 181", ConvertLatLon("45", "181", false, false, InputDatum::Wgs84), false},
      {"RD at the int32 limit", ConvertRd("2147483647 2147483647"), false},
      {"UTM far east", ConvertUtm("31U 999999999999 5773087"), false},
      {"ECEF far out", ConvertEcef("2147483647 2147483647 2147483647"), false},
      {"the pole", ConvertLatLon("90", "180", true, true, InputDatum::Wgs84), true},
      {"RD of Utrecht", ConvertRd("136013 455723"), true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.result.onEarth, c.onEarth) << c.what;
    if (c.onEarth) continue;
    EXPECT_EQ(c.result.lat, 0.0) << c.what;
    EXPECT_EQ(c.result.lon, 0.0) << c.what;
    for (const ResultField& field : kResultFields) EXPECT_EQ(c.result.*field.text, "") << c.what << field.label;
  }
}

TEST(GeoConverter, ClearResultsEmptiesTextsAndKeepsColours) {
  ConverterResult r = ConvertRd("136013 455723");
  ClearResults(r);
  EXPECT_EQ(r.lat, 0.0);
  EXPECT_EQ(r.lon, 0.0);
  for (const ResultField& f : kResultFields) EXPECT_TRUE((r.*f.text).empty()) << f.label;
  EXPECT_TRUE(r.rdInRange);
}

// Qt sets the process locale; a decimal comma there must change nothing.
class GeoConverterLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    comma_ = std::make_unique<test::DecimalCommaLocale>();
    if (!comma_->ok()) GTEST_SKIP() << "no locale with a decimal comma (localedef failed)";
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    struct Comma : std::numpunct<char> {
      char do_decimal_point() const override { return ','; }
    };
    std::locale::global(std::locale(std::locale::classic(), new Comma));
  }
  void TearDown() override {
    std::locale::global(std::locale::classic());
    comma_.reset();
  }
  std::unique_ptr<test::DecimalCommaLocale> comma_;
};

std::vector<ConverterResult> AllKinds() {
  return {ConvertLatLon("N 51\xB0 02.804", "E 3,5", false, true, InputDatum::Ed50),
          ConvertLatLon("S 33 52 10.5 E 151.2", "", false, false, InputDatum::Bessel),
          ConvertRd("136013 / 455723"),
          ConvertLambert("124202 187756"),
          ConvertUtm("56H 333509.8 6250846.4"),
          ConvertEcef("3982999.5 / -303325,5 / 4955687")};
}

TEST_F(GeoConverterLocale, DecimalCommaLocaleChangesNothing) {
  std::vector<ConverterResult> withComma = AllKinds();
  std::setlocale(LC_ALL, "C");
  std::locale::global(std::locale::classic());
  std::vector<ConverterResult> plain = AllKinds();
  ASSERT_EQ(withComma.size(), plain.size());
  for (std::size_t i = 0; i < plain.size(); ++i) {
    EXPECT_EQ(withComma[i].lat, plain[i].lat);
    EXPECT_EQ(withComma[i].lon, plain[i].lon);
    for (const ResultField& f : kResultFields) {
      EXPECT_EQ(withComma[i].*f.text, plain[i].*f.text) << f.label;
      EXPECT_EQ((plain[i].*f.text).find(','), std::string::npos) << f.label;
    }
  }
  EXPECT_NE(plain[0].altitude.find('.'), std::string::npos);
}

}  // namespace
}  // namespace quill
