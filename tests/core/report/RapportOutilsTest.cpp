// Report page helpers: French dates, the header table, safe file names, JPEG images.
#include "report/RapportOutils.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <vector>

using namespace morvix;

namespace {

std::time_t utc(int annee, int mois, int jour, int h, int m) {
    std::tm tm{};
    tm.tm_year = annee - 1900;
    tm.tm_mon = mois - 1;
    tm.tm_mday = jour;
    tm.tm_hour = h;
    tm.tm_min = m;
    return ::timegm(&tm);
}

class EnUtc : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }
    void TearDown() override {
        ::unsetenv("TZ");
        ::tzset();
    }
};

} // namespace

TEST_F(EnUtc, DatesAreLongFrenchDatesWithTheTime) {
    struct Cas {
        std::time_t t;
        const char *attendu; // Windows-1252
    };
    const std::vector<Cas> cas = {
        {utc(2026, 12, 9, 8, 5), "mercredi 9 d\xE9"
                                 "cembre 2026 - 08:05"},
        {utc(2024, 2, 29, 23, 59), "jeudi 29 f\xE9vrier 2024 - 23:59"},
        {utc(2025, 8, 3, 0, 0), "dimanche 3 ao\xFBt 2025 - 00:00"},
    };
    for (const Cas &c : cas)
        EXPECT_EQ(DateRapport(c.t), c.attendu);
}

TEST_F(EnUtc, HeaderTableWithAndWithoutPartition) {
    std::time_t t = utc(2026, 1, 5, 14, 30);
    EXPECT_EQ(EnteteRapport("romans", nullptr, t),
              "<TABLE WIDTH=100% ALIGN=CENTER BORDER=1><TD>Corpus : romans</TD>\n"
              "<TD>Date : lundi 5 janvier 2026 - 14:30</TD>\n</TABLE>");
    std::string cle = "auteur";
    EXPECT_EQ(EnteteRapport("romans", &cle, t),
              "<TABLE WIDTH=100% ALIGN=CENTER BORDER=1><TD>Corpus : romans</TD>\n"
              "<TD>Date : lundi 5 janvier 2026 - 14:30</TD>\n<TD>Partition = auteur</TD>\n"
              "</TABLE>");
}

TEST(NomFichierRapport, NamesFromGraphiesStayInsideTheFolder) {
    struct Cas {
        std::string brut, attendu;
    };
    const std::vector<Cas> cas = {
        {"pclcauteur.html", "pclcauteur.html"},
        {"pclc../x.html", "pclc.._x.html"},
        {"img-section-/.jpg", "img-section-_.jpg"},
        {"..", "_.."},
        {".", "_."},
        {"", "_"},
        {"pclc\xC9t\xE9 \xE0 No\xEBl.html", "pclcEte_a_Noel.html"},
        {"a\\b:c*d?\"<>|\x01\x7F\x80\xA0.html", "a_b_c_d_________.html"},
        {"pclc" + std::string(300, 'x') + ".html", "pclc" + std::string(191, 'x') + ".html"},
    };
    for (const Cas &c : cas) {
        std::string nom = NomFichierRapport(c.brut);
        EXPECT_EQ(nom, c.attendu) << c.brut;
        EXPECT_EQ(nom.find('/'), std::string::npos);
        EXPECT_EQ(NomFichierRapport(nom), nom); // stable
    }
}

namespace {

// Width and height from the SOF0 marker of a baseline JPEG, or {0, 0}.
std::pair<int, int> tailleJpeg(const std::string &s) {
    for (size_t i = 2; i + 9 < s.size(); ++i)
        if (static_cast<unsigned char>(s[i]) == 0xFF &&
            static_cast<unsigned char>(s[i + 1]) == 0xC0) {
            auto octet = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
            return {octet(i + 7) << 8 | octet(i + 8), octet(i + 5) << 8 | octet(i + 6)};
        }
    return {0, 0};
}

} // namespace

TEST(EcritJpeg, WritesABaselineImageOrNothing) {
    morvix::test::ScopedWorkDir dir;
    const int w = 40, h = 30, pas = w * 3 + 2; // padded rows
    std::vector<unsigned char> rgb(static_cast<size_t>(pas * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            rgb[static_cast<size_t>(y * pas + 3 * x)] = static_cast<unsigned char>(6 * x);
            rgb[static_cast<size_t>(y * pas + 3 * x + 1)] = static_cast<unsigned char>(8 * y);
        }
    ASSERT_TRUE(EcritJpeg("img.jpg", w, h, rgb.data(), pas, kQualiteJpegRapport));
    std::string s = morvix::test::readFile("img.jpg");
    ASSERT_GT(s.size(), 4u);
    EXPECT_EQ(s.substr(0, 2), "\xFF\xD8");
    EXPECT_EQ(s.substr(s.size() - 2), "\xFF\xD9");
    EXPECT_EQ(tailleJpeg(s), (std::pair<int, int>{w, h}));

    EXPECT_FALSE(EcritJpeg("vide.jpg", 0, 10, rgb.data(), pas, 30));
    EXPECT_FALSE(EcritJpeg("court.jpg", w, h, rgb.data(), 10, 30));
    EXPECT_FALSE(EcritJpeg("absent/img.jpg", w, h, rgb.data(), pas, 30));
    EXPECT_FALSE(morvix::test::fileExists("vide.jpg"));
    EXPECT_FALSE(morvix::test::fileExists("court.jpg"));
}

TEST(EcritPageRapport, WritesCrLfPagesAndReplacesWhole) {
    morvix::test::ScopedWorkDir dir;
    ASSERT_TRUE(EcritPageRapport("p.html", "<html>\n\xE9t\xE9\n</html>"));
    EXPECT_EQ(morvix::test::readFile("p.html"), "<html>\r\n\xE9t\xE9\r\n</html>");
    ASSERT_TRUE(EcritPageRapport("p.html", "court"));
    EXPECT_EQ(morvix::test::readFile("p.html"), "court");
    EXPECT_FALSE(EcritPageRapport("absent/p.html", "x"));
}
