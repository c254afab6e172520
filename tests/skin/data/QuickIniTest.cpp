#include <gtest/gtest.h>

#include "skin/model/QuickIni.h"

using skin::TQuickIni;

namespace {

TQuickIni Loaded(std::string_view text) {
  TQuickIni ini;
  ini.Load(text);
  return ini;
}

TEST(QuickIni, FindsSectionsAndKeysWithoutRegardToCase) {
  const TQuickIni ini = Loaded("[buttons]\r\nBUTTONCOUNT = 5\r\n  Frame=btn.bmp  \r\n");
  EXPECT_EQ(ini.ReadInteger("Buttons", "ButtonCount", -1), 5);
  EXPECT_EQ(ini.ReadString("BUTTONS", "frame", "none"), "btn.bmp");
  EXPECT_EQ(ini.ReadString("Buttons", "Missing", "none"), "none");
  EXPECT_EQ(ini.ReadString("Other", "frame", "none"), "none");
}

TEST(QuickIni, SplitsLinesAtCrLfAndNulAndDropsComments) {
  const std::string text =
      std::string("; heading note\n[A]\rk1=one\n\r\n   k2 = two ; a note\r\n") +
      "\t;k3=commented\r\n[B]\r\nk4=x" + std::string(1, '\0') + "\r\nk5=y\r\n";
  const TQuickIni ini = Loaded(text);
  EXPECT_EQ(ini.ReadString("A", "k1", "-"), "one");
  EXPECT_EQ(ini.ReadString("A", "k2", "-"), "two ; a note");
  EXPECT_EQ(ini.ReadString("A", "k3", "-"), "-");
  EXPECT_EQ(ini.ReadString("B", "k4", "-"), "x");
  EXPECT_EQ(ini.ReadString("B", "k5", "-"), "-");  // the NUL ended the text
  EXPECT_EQ(ini.Lines(),
            (std::vector<std::string>{"[A]", "k1=one", "k2 = two ; a note", "[B]", "k4=x"}));
}

TEST(QuickIni, FirstSectionAndFirstKeyWin) {
  const TQuickIni ini =
      Loaded("[S]\nk=first\nk=second\nempty=\nempty=later\n[T]\nonlyInT=1\n[S]\nk=third\nlate=2\n");
  EXPECT_EQ(ini.ReadString("S", "k", "-"), "first");
  EXPECT_EQ(ini.ReadString("S", "empty", "dflt"), "dflt");  // the empty first value decides
  EXPECT_EQ(ini.ReadString("S", "onlyInT", "-"), "-");      // the search stops at [T]
  EXPECT_EQ(ini.ReadString("S", "late", "-"), "-");         // the second [S] is not searched
  std::vector<std::string> sections = {"stale"};
  ini.ReadSections(sections);
  EXPECT_EQ(sections, (std::vector<std::string>{"S", "T", "S"}));
}

TEST(QuickIni, KeysAndValuesAroundTheEqualsSign) {
  const TQuickIni ini = Loaded("[S]\nnoequals\n=orphan\na=b=c\n  spaced  key =  v  \n");
  EXPECT_EQ(ini.ReadString("S", "a", "-"), "b=c");
  EXPECT_EQ(ini.ReadString("S", "spaced  key", "-"), "v");
  EXPECT_EQ(ini.ReadString("S", "", "-"), "-");
  EXPECT_EQ(ini.ReadString("S", "noequals", "-"), "-");
}

TEST(QuickIni, ReadsIntegersInDecimalAndHexadecimal) {
  const TQuickIni ini = Loaded(
      "[N]\nhex=0x1F\ndollar=$1F\nupper=0X1f\nbare=0x\nneg=-12\nplus=+7\nbad=12a\n"
      "big=2147483648\nmin=-2147483648\nallbits=$FFFFFFFF\nspace=1 2\n");
  EXPECT_EQ(ini.ReadInteger("N", "hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("N", "dollar", 0), 31);
  EXPECT_EQ(ini.ReadInteger("N", "upper", 0), 31);
  EXPECT_EQ(ini.ReadInteger("N", "bare", 99), 99);
  EXPECT_EQ(ini.ReadInteger("N", "neg", 0), -12);
  EXPECT_EQ(ini.ReadInteger("N", "plus", 0), 7);
  EXPECT_EQ(ini.ReadInteger("N", "bad", 99), 99);
  EXPECT_EQ(ini.ReadInteger("N", "big", 99), 99);
  EXPECT_EQ(ini.ReadInteger("N", "min", 0), INT32_MIN);
  EXPECT_EQ(ini.ReadInteger("N", "allbits", 0), -1);
  EXPECT_EQ(ini.ReadInteger("N", "space", 99), 99);
  EXPECT_EQ(ini.ReadInteger("N", "missing", 42), 42);
}

TEST(QuickIni, LoadingReplacesTheContentAndAbsentTextKeepsIt) {
  TQuickIni ini;
  EXPECT_EQ(ini.ReadString("S", "k", "empty"), "empty");
  ini.Load("[S]\nk=1\n");
  ini.Load(std::nullopt);
  EXPECT_EQ(ini.ReadString("S", "k", "-"), "1");
  ini.Load("[S]\nj=2\n");
  EXPECT_EQ(ini.ReadString("S", "k", "-"), "-");
  EXPECT_EQ(ini.ReadString("S", "j", "-"), "2");
}

TEST(QuickIni, SectionNamesAreTrimmedInsideTheBrackets) {
  std::vector<std::string> sections;
  Loaded("  [ Title ]  \n[]\n[a]b]\n[notasection\n").ReadSections(sections);
  EXPECT_EQ(sections, (std::vector<std::string>{"Title", "", "a]b"}));
}

}  // namespace
