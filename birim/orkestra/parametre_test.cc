#include "orkestra/parametre.h"

#include <gtest/gtest.h>

#include <string>

#include "orkestra/kodlama.h"

namespace vadu {
namespace {

TEST(Parametre, RoundTripKeepsOrderDuplicatesAndEmptyStrings) {
  const ParametreListesi p = {{"k", "1"}, {"", ""}, {"k", std::string("\0\xFF", 2)}};
  const std::string govde = paramSerialize("ad", p) + "fazla";  // trailing bytes are ignored
  std::string ad;
  ParametreListesi cikan = {{"eski", "eski"}};
  ASSERT_TRUE(paramCoz(govde, ad, cikan));
  EXPECT_EQ(ad, "ad");
  EXPECT_EQ(cikan, p);
}

TEST(Parametre, EmptyListIsNameAndZeroCount) {
  EXPECT_EQ(paramSerialize("Kaydet", {}), std::string("\x06\x00Kaydet\x00\x00", 10));
}

// Every prefix of ("ad", [("a", "bc"), ("de", "")]) that is cut short:
// what is left in the name and the list says where the cut fell.
TEST(Parametre, EveryTruncatedPrefixFailsWithTheCompletePartsKept) {
  const ParametreListesi p = {{"a", "bc"}, {"de", ""}};
  const std::string tam = paramSerialize("ad", p);
  // name: 0-3, count: 4-5, "a": 6-8, "bc": 9-12, "de": 13-16, "": 17-18
  ASSERT_EQ(tam.size(), 19u);
  for (size_t n = 0; n < tam.size(); ++n) {
    SCOPED_TRACE(n);
    std::string ad = "eski";
    ParametreListesi cikan = {{"eski", "eski"}};
    EXPECT_FALSE(paramCoz(tam.substr(0, n), ad, cikan));
    if (n < 4) {  // cut inside the name: nothing touched
      EXPECT_EQ(ad, "eski");
      EXPECT_EQ(cikan, (ParametreListesi{{"eski", "eski"}}));
    } else if (n < 6) {  // cut inside the count: the name is in, the list untouched
      EXPECT_EQ(ad, "ad");
      EXPECT_EQ(cikan, (ParametreListesi{{"eski", "eski"}}));
    } else if (n < 13) {  // cut inside the first pair
      EXPECT_EQ(ad, "ad");
      EXPECT_TRUE(cikan.empty());
    } else {  // cut inside the second pair
      EXPECT_EQ(ad, "ad");
      EXPECT_EQ(cikan, (ParametreListesi{{"a", "bc"}}));
    }
  }
}

TEST(Parametre, LongValuesAreCutAsStringFields) {
  const std::string uzun(70000, 'v');
  std::string ad;
  ParametreListesi cikan;
  ASSERT_TRUE(paramCoz(paramSerialize(uzun, {{"k", uzun}}), ad, cikan));
  EXPECT_EQ(ad, uzun.substr(0, 65535));
  ASSERT_EQ(cikan.size(), 1u);
  EXPECT_EQ(cikan[0].second, uzun.substr(0, 65535));
}

TEST(Parametre, AtMost65535PairsAreWritten) {
  const ParametreListesi p(65536, {"k", "v"});
  const std::string govde = paramSerialize("", p);
  EXPECT_EQ(leOkuU16(baytlar(govde.data()) + 2), 65535);
  std::string ad;
  ParametreListesi cikan;
  ASSERT_TRUE(paramCoz(govde, ad, cikan));
  EXPECT_EQ(cikan.size(), 65535u);
}

}  // namespace
}  // namespace vadu
