#include "istakip/kayit.h"

#include <gtest/gtest.h>

#include <string>

namespace vadu::istakip {
namespace {

TEST(Kayit, VarsayilanBos) {
  const Kayit k;
  EXPECT_EQ(k.id, 0u);
  EXPECT_EQ(k.tur, "");
  EXPECT_EQ(k.surum, 0u);
  EXPECT_FALSE(k.silindi);
  EXPECT_TRUE(k.alanlar.empty());
}

TEST(Kayit, AlanOkuYaz) {
  Kayit k;
  EXPECT_EQ(k.alan("ad"), nullptr);
  k.alanYaz("ad", "bir");
  k.alanYaz("renk", "mavi");
  k.alanlar.emplace_back("ad", "iki");  // the same name a second time
  k.alanYaz("ad", "uc");                // only the first one changes
  ASSERT_EQ(k.alanlar.size(), 3u);
  EXPECT_EQ(k.alanlar[0].second, "uc");
  EXPECT_EQ(k.alanlar[2].second, "iki");
  EXPECT_STREQ(k.alan("ad"), "uc");
  k.alanYaz("yeni", "x");  // a new name goes to the end
  EXPECT_EQ(k.alanlar.back().first, "yeni");
  EXPECT_EQ(k.alan("yok"), nullptr);
}

}  // namespace
}  // namespace vadu::istakip
