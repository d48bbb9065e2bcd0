#include "orkestra/node.h"

#include <gtest/gtest.h>

#include <string>

namespace vadu {
namespace {

TEST(OrkestraNodeId, EmptyNameIsTheStartValueAndAbcIsKnown) {
  EXPECT_EQ(orkestraNodeId(""), 1469598103934665603ull);
  EXPECT_EQ(orkestraNodeId("abc"), 16242233503745875709ull);
}

TEST(OrkestraNodeId, BytesAreTakenUnsignedAndAllOfThemCount) {
  // Bytes above 0x7F and zero bytes are part of the name.
  const std::string yuksek = "\xC3\xA7";
  uint64_t h = 1469598103934665603ull;
  for (const unsigned b : {0xC3u, 0xA7u}) h = (h ^ b) * 1099511628211ull;
  EXPECT_EQ(orkestraNodeId(yuksek), h);
  EXPECT_NE(orkestraNodeId(std::string("a\0b", 3)), orkestraNodeId("a"));
  EXPECT_NE(orkestraNodeId("ab"), orkestraNodeId("ba"));
}

TEST(YerelIlanKur, SetsItsFieldsAndLeavesTheRestDefault) {
  const NodeKayit n = yerelIlanKur(7, "tezgah", "1.2", 4, 2);
  EXPECT_EQ(n.nodeId, 7u);
  EXPECT_EQ(n.ad, "tezgah");
  EXPECT_EQ(n.surum, "1.2");
  EXPECT_EQ(n.runtimeSayisi, 4u);
  EXPECT_EQ(n.aktifTask, 2u);
  EXPECT_TRUE(n.dogrulanmis);
  EXPECT_TRUE(n.kaliciMetin.empty());
  EXPECT_TRUE(n.ekMetin.empty());
  EXPECT_FALSE(n.hata);
  EXPECT_EQ(n.ilkGorulmeMs, 0u);
  EXPECT_EQ(n.sonGorulmeMs, 0u);
  EXPECT_EQ(n.sonMetrikMs, 0u);
  EXPECT_EQ(n.metrik.ramMB, 0u);
  EXPECT_EQ(n.durum, NodeDurum::Online);

  const NodeKayit bos = yerelIlanKur(1, "x", nullptr, 0, 0);
  EXPECT_TRUE(bos.surum.empty());
  EXPECT_TRUE(bos.dogrulanmis);
}

TEST(NodeDurumAdi, NamesInUtf8AndQuestionMarkOutside) {
  const struct {
    int deger;
    const char* ad;
  } durumlar[] = {
      {0,
       "\xC3\x87"
       "evrimi\xC3\xA7i"},
      {1, "Bo\xC5\x9Fta"},
      {2, "Me\xC5\x9Fgul"},
      {3, "Hata"},
      {4, "Yan\xC4\xB1ts\xC4\xB1z"},
      {5,
       "\xC3\x87"
       "evrimd\xC4\xB1\xC5\x9F\xC4\xB1"},
      {6, "?"},
      {255, "?"},
  };
  for (const auto& d : durumlar) {
    EXPECT_STREQ(nodeDurumAdi(static_cast<NodeDurum>(d.deger)), d.ad) << d.deger;
  }
}

}  // namespace
}  // namespace vadu
