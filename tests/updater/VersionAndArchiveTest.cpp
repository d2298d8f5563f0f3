#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "tests/support/TempFolder.h"
#include "tests/updater/ZipMaker.h"
#include "updater/Sha256.h"
#include "updater/Updater.h"
#include "updater/VersionCompare.h"
#include "updater/ZipUnpacker.h"

namespace {

TEST(VersionCompare, NumericPartsWithMissingPartsAsZero) {
  EXPECT_EQ(CompareVersions(u"1.0.3", u"1.0.10"), 1);
  EXPECT_EQ(CompareVersions(u"2.0.0", u"1.9.9"), -1);
  EXPECT_EQ(CompareVersions(u"1.2.0", u"1.2.0"), 0);
  EXPECT_EQ(CompareVersions(u"1.2.0", u"1.2"), 0);  // not "newer" at every start
  EXPECT_EQ(CompareVersions(u"1.2.0", u"1.1"), -1);
  EXPECT_EQ(CompareVersions(u"1.2", u"1.2.1"), 1);
}

TEST(VersionAnswer, OneToTenSafeCharactersTrimmed) {
  EXPECT_EQ(Updater::AcceptVersion(u"1.0.10\n"), u"1.0.10");
  EXPECT_EQ(Updater::AcceptVersion(u"1234567890"), u"1234567890");
  EXPECT_EQ(Updater::AcceptVersion(u"12345678901"), std::nullopt);
  EXPECT_EQ(Updater::AcceptVersion(u""), std::nullopt);
  EXPECT_EQ(Updater::AcceptVersion(u" \r\n"), std::nullopt);
  // Version texts name files: nothing that could leave the download folder.
  EXPECT_EQ(Updater::AcceptVersion(u"../../x"), std::nullopt);
  EXPECT_EQ(Updater::AcceptVersion(u".."), std::nullopt);
  EXPECT_EQ(Updater::AcceptVersion(u"<html>"), std::nullopt);
}

TEST(VersionAnswer, FirmwareHexDigitsReadAsDecimal) {
  EXPECT_EQ(Updater::FirmwareAsDecimal(0x105), 105);
  EXPECT_EQ(Updater::FirmwareAsDecimal(0x0102), 102);
  EXPECT_EQ(Updater::FirmwareAsDecimal(0x1A0), 1);  // digits stop at the first letter
}

TEST(Sha256, FileDigestAndPublishedForms) {
  testsupport::TempFolder folder;
  const std::string path = folder.Write("abc", "abc");
  EXPECT_EQ(FileSha256(path), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  const std::u16string hex = u"BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD";
  EXPECT_EQ(ParseSha256Text(hex), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_TRUE(ParseSha256Text(hex + u"  Keyboard-Software-1.0.zip\n").has_value());
  EXPECT_FALSE(ParseSha256Text(hex.substr(1)).has_value());
  EXPECT_FALSE(ParseSha256Text(u"<html>not found</html>").has_value());
  EXPECT_FALSE(FileSha256(folder.Path() + "missing").has_value());
}

class UnpackTest : public ::testing::Test {
 protected:
  UnpackResult Unpack(const std::vector<ZipEntry>& entries) {
    const std::string archive = folder_.Path() + "package.zip";
    EXPECT_TRUE(MakeZip(archive, entries));
    return ZipUnpacker::Unpack(archive, folder_.Path() + "out/");
  }
  // The archive's bytes with `bytes` written at `offset` into the `index`th record that starts with `signature`.
  std::string Patched(const std::vector<ZipEntry>& entries, const std::string& signature, int index,
                      std::size_t offset, const std::string& bytes) {
    const std::string archive = folder_.Path() + "package.zip";
    EXPECT_TRUE(MakeZip(archive, entries));
    std::string zip = folder_.Read("package.zip");
    std::size_t at = zip.find(signature);
    for (int i = 0; i < index && at != std::string::npos; ++i) at = zip.find(signature, at + 1);
    EXPECT_NE(at, std::string::npos);
    if (at != std::string::npos) zip.replace(at + offset, bytes.size(), bytes);
    return folder_.Write("damaged-" + std::to_string(++patched_) + ".zip", zip);
  }
  unsigned Mode(const std::string& relative) {
    struct stat info {};
    EXPECT_EQ(stat((folder_.Path() + relative).c_str(), &info), 0) << relative;
    return info.st_mode & 07777;
  }
  testsupport::TempFolder folder_;
  int patched_ = 0;
};

TEST_F(UnpackTest, GoodArchiveWritesEveryEntryWithItsMode) {
  ASSERT_EQ(Unpack({{"Keyboard-Software-2.0", "#!/bin/sh\n", 0100755}, {"docs/", "", 0}, {"docs/readme.txt", "hi", 0}}),
            UnpackResult::Unpacked);
  EXPECT_EQ(folder_.Read("out/Keyboard-Software-2.0"), "#!/bin/sh\n");
  EXPECT_EQ(folder_.Read("out/docs/readme.txt"), "hi");
  struct stat info {};
  ASSERT_EQ(stat((folder_.Path() + "out/Keyboard-Software-2.0").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0755u);
}

TEST_F(UnpackTest, EntriesThatCouldLeaveTheFolderRefuseTheWholeArchive) {
  for (const std::string bad : {"../evil", "a/../../evil", "/etc/evil", "a\\..\\evil", ".."}) {
    EXPECT_EQ(Unpack({{"good.txt", "first", 0}, {bad, "payload", 0}}), UnpackResult::Refused) << bad;
    EXPECT_FALSE(folder_.Exists("out/good.txt")) << "written before the bad entry was seen: " << bad;
    EXPECT_FALSE(folder_.Exists("evil"));
  }
  EXPECT_EQ(Unpack({{"link", "/etc/passwd", 0120777}}), UnpackResult::Refused);
  EXPECT_FALSE(folder_.Exists("out/link"));
}

TEST_F(UnpackTest, NamesAreReadAtTheirStoredLengthAndOverlongOnesRefused) {
  const std::string deep = std::string(100, 'd') + "/" + std::string(200, 'e') + "/f.txt";
  EXPECT_EQ(Unpack({{deep, "deep", 0}}), UnpackResult::Unpacked);
  EXPECT_EQ(folder_.Read("out/" + deep), "deep");
  std::string full;  // 4096 bytes: fills a PATH_MAX buffer with no room for its end
  while (full.size() < 4096) full += "abcdefg/";
  EXPECT_EQ(Unpack({{"first.txt", "1", 0}, {full.substr(0, 4096), "x", 0}}), UnpackResult::Refused);
  EXPECT_FALSE(folder_.Exists("out/first.txt"));
}

TEST_F(UnpackTest, DamagedCentralDirectoryOrEntryLeavesNothingBehind) {
  const std::vector<ZipEntry> entries = {
      {"Keyboard-Software-2.0", "#!/bin/sh\n", 0100755}, {"lib/one", std::string(5000, '1'), 0}, {"two", "2", 0}};
  const std::string out = folder_.Path() + "out/";
  folder_.Write("out/kept.txt", "from before");
  const std::string central = "PK\x01\x02";
  const std::string end = "PK\x05\x06";
  const std::string paths[] = {
      Patched(entries, central, 1, 0, "PK\x01\x09"),            // the listing breaks off at the second entry
      Patched(entries, end, 0, 8, std::string("\x04\0\x04\0", 4)),  // the end record counts one entry more
      Patched(entries, end, 0, 8, std::string(4, '\0')),            // or none at all
      Patched(entries, central, 2, 16, "\x5A"),                     // the last entry fails its CRC
  };
  for (const std::string& path : paths) {
    EXPECT_EQ(ZipUnpacker::Unpack(path, out), UnpackResult::Unreadable);
    EXPECT_FALSE(folder_.Exists("out/Keyboard-Software-2.0"));
    EXPECT_FALSE(folder_.Exists("out/lib"));
  }
  EXPECT_EQ(folder_.Read("out/kept.txt"), "from before");
}

TEST_F(UnpackTest, UnpackedSizeIsLimitedAndAnOversizedArchiveRemoved) {
  const std::vector<ZipEntry> bomb = {{"a/one", std::string(40000, '\0'), 0}, {"a/two", std::string(40000, '\0'), 0}};
  const std::string archive = folder_.Path() + "bomb.zip";
  ASSERT_TRUE(MakeZip(archive, bomb));
  const std::string out = folder_.Path() + "out/";
  EXPECT_EQ(ZipUnpacker::Unpack(archive, out, UnpackLimits{64 * 1024, 0}), UnpackResult::TooLarge);
  EXPECT_FALSE(folder_.Exists("out"));
  // The free space on the disk, less a margin, bounds it as well.
  EXPECT_EQ(ZipUnpacker::Unpack(archive, out, UnpackLimits{1LL << 30, 1LL << 62}), UnpackResult::TooLarge);
  EXPECT_FALSE(folder_.Exists("out"));
  EXPECT_EQ(ZipUnpacker::Unpack(archive, out, UnpackLimits{80000, 0}), UnpackResult::Unpacked);
  EXPECT_EQ(folder_.Read("out/a/two").size(), 40000u);
}

TEST_F(UnpackTest, ArchiveModesNeverMakeFilesWritableByOthers) {
  ASSERT_EQ(Unpack({{"open", "", 0100777}, {"shared", "", 0100666}, {"setuid", "", 0104755}, {"mine", "", 0100700},
                    {"readonly", "", 0100444}}),
            UnpackResult::Unpacked);
  EXPECT_EQ(Mode("out/open"), 0755u);
  EXPECT_EQ(Mode("out/shared"), 0644u);
  EXPECT_EQ(Mode("out/setuid"), 0755u);
  EXPECT_EQ(Mode("out/mine"), 0755u);
  EXPECT_EQ(Mode("out/readonly"), 0644u);  // a later unpack must be able to replace it
}

TEST_F(UnpackTest, NotAnArchiveIsUnreadable) {
  const std::string path = folder_.Write("junk.zip", "this is not a zip file at all");
  EXPECT_EQ(ZipUnpacker::Unpack(path, folder_.Path() + "out/"), UnpackResult::Unreadable);
  EXPECT_EQ(ZipUnpacker::Unpack(folder_.Path() + "missing.zip", folder_.Path() + "out/"), UnpackResult::Unreadable);
  EXPECT_TRUE(ZipUnpacker::IsSafeEntryName("a/b..c/d"));
}

}  // namespace
